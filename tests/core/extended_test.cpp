#include "core/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const Extended kOne = Extended::FromInt64(1);
const Extended kThree = Extended::FromInt64(3);
const Extended kTen = Extended::FromInt64(10);
const Extended kMax = Extended::FromBits(0x7FFE, ~uint64_t{0});
const Extended kInfinity = Extended::FromBits(0x7FFF, uint64_t{1} << 63);

TEST(Extended, RoundsKnownQuotientsToNearest) {
  FloatFlags flags = 0;
  EXPECT_EQ(Divide(kOne, kThree, flags), Extended::FromBits(0x3FFD, 0xAAAAAAAAAAAAAAABu));
  EXPECT_EQ(Divide(kOne, kTen, flags), Extended::FromBits(0x3FFB, 0xCCCCCCCCCCCCCCCDu));
  EXPECT_EQ(flags, kFlagInexact);
  flags = 0;
  EXPECT_EQ(Multiply(Divide(kOne, kTen, flags), kTen, flags), kOne);
}

TEST(Extended, RaisesTheExceptionsOfEachOperation) {
  const auto run = [](auto op) {
    FloatFlags f = 0;
    const Extended r = op(f);
    return std::pair{r, f};
  };
  auto [zero_divide, f1] = run([](FloatFlags& f) { return Divide(kOne, Extended(), f); });
  EXPECT_EQ(f1, kFlagZeroDivide);
  EXPECT_EQ(zero_divide, kInfinity);
  auto [zero_over_zero, f2] = run([](FloatFlags& f) { return Divide(Extended(), -Extended(), f); });
  EXPECT_EQ(f2, kFlagInvalid);
  EXPECT_TRUE(zero_over_zero.IsNaN());
  auto [inf_minus_inf, f3] = run([](FloatFlags& f) { return Subtract(kInfinity, kInfinity, f); });
  EXPECT_EQ(f3, kFlagInvalid);
  EXPECT_TRUE(inf_minus_inf.IsNaN());
  auto [overflow, f4] = run([](FloatFlags& f) { return Add(kMax, kMax, f); });
  EXPECT_EQ(f4, kFlagOverflow | kFlagInexact);
  EXPECT_EQ(overflow, kInfinity);
  auto [underflow, f5] = run([](FloatFlags& f) { return Divide(Extended::FromBits(0x0001, uint64_t{1} << 63), kThree, f); });
  EXPECT_EQ(f5, kFlagUnderflow | kFlagInexact);
  EXPECT_EQ(underflow.SignExponent(), 0);
  auto [exact_subnormal, f6] = run([](FloatFlags& f) { return Divide(Extended::FromBits(0x0001, uint64_t{1} << 63), Extended::FromInt64(4), f); });
  EXPECT_EQ(f6, 0u);  // tiny but exact: no underflow
  EXPECT_EQ(exact_subnormal, Extended::FromBits(0, uint64_t{1} << 61));
}

TEST(Extended, GivesZerosTheirSigns) {
  FloatFlags flags = 0;
  const Extended seven = Extended::FromInt64(7);
  EXPECT_EQ(Subtract(seven, seven, flags), Extended());  // +0, not -0
  EXPECT_EQ(Add(-seven, seven, flags), Extended());
  EXPECT_EQ(Add(-Extended(), -Extended(), flags), -Extended());
  EXPECT_EQ(Subtract(-Extended(), Extended(), flags), -Extended());
  EXPECT_EQ(Multiply(-seven, Extended(), flags), -Extended());
  EXPECT_EQ(flags, 0u);
}

TEST(Extended, ConvertsIntegersAndDoublesExactly) {
  const int64_t values[] = {0, 1, -1, 113, 1LL << 53, (1LL << 53) + 1, INT64_MAX, INT64_MIN};
  for (int64_t v : values) {
    FloatFlags flags = 0;
    const double d = Extended::FromInt64(v).ToDouble(flags);
    EXPECT_EQ(d, static_cast<double>(v)) << v;
  }
  EXPECT_EQ(Extended::FromInt64(INT64_MIN), Extended::FromBits(0xC03E, uint64_t{1} << 63));
  EXPECT_EQ(Extended::FromUint64(UINT64_MAX), Extended::FromBits(0x403E, UINT64_MAX));
  FloatFlags flags = 0;
  const double min_subnormal = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(Extended::FromDouble(min_subnormal, flags).ToDouble(flags), min_subnormal);
  EXPECT_EQ(Extended::FromDouble(-0.0, flags), -Extended());
  EXPECT_EQ(flags, 0u);
  Extended::FromDouble(std::numeric_limits<double>::signaling_NaN(), flags);
  EXPECT_EQ(flags, kFlagInvalid);
}

TEST(Extended, OverflowsToDoubleOnlyPastTheRoundingOfTheLargestDouble) {
  FloatFlags flags = 0;
  // DBL_MAX plus less than half an ulp rounds down to DBL_MAX.
  const Extended just_above = Extended::FromBits(0x43FE, 0xFFFFFFFFFFFFFBFFu);
  EXPECT_EQ(just_above.ToDouble(flags), std::numeric_limits<double>::max());
  EXPECT_EQ(flags, kFlagInexact);
  flags = 0;
  const Extended halfway = Extended::FromBits(0x43FE, 0xFFFFFFFFFFFFFC00u);
  EXPECT_TRUE(std::isinf(halfway.ToDouble(flags)));
  EXPECT_EQ(flags, kFlagOverflow | kFlagInexact);
}

TEST(Extended, ComparesNumerically) {
  FloatFlags flags = 0;
  EXPECT_EQ(Compare(Extended(), -Extended(), flags), FloatOrder::kEqual);
  EXPECT_EQ(Compare(-kOne, kOne, flags), FloatOrder::kLess);
  EXPECT_EQ(Compare(kInfinity, kMax, flags), FloatOrder::kGreater);
  EXPECT_EQ(Compare(-kTen, -kThree, flags), FloatOrder::kLess);
  EXPECT_EQ(flags, 0u);
  const Extended quiet_nan = Extended::FromBits(0x7FFF, 0xC000000000000000u);
  EXPECT_EQ(Compare(quiet_nan, kOne, flags), FloatOrder::kUnordered);
  EXPECT_EQ(flags, 0u);
}

}  // namespace
