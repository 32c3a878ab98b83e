#include "core/powers_of_ten.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>

namespace {

// 10^n correctly rounded to 64 bits by MPFR, as an extended encoding.
Extended NearestPowerOfTen(unsigned n) {
  mpfr_t x;
  mpfr_init2(x, 64);
  mpfr_ui_pow_ui(x, 10, n, MPFR_RNDN);
  const mpfr_exp_t e = mpfr_get_exp(x);  // x = m * 2^e, 1/2 <= m < 1
  mpfr_mul_2si(x, x, 64 - e, MPFR_RNDN);
  const uint64_t sig = mpfr_get_uj(x, MPFR_RNDN);
  mpfr_clear(x);
  return Extended::FromBits(static_cast<uint16_t>(16383 + e - 1), sig);
}

TEST(PowersOfTen, EveryEntryIsTheNearestExtendedValue) {
  for (unsigned i = 0; i < kPowersOfTenSmall.size(); ++i)
    EXPECT_EQ(kPowersOfTenSmall[i], NearestPowerOfTen(i)) << "10^" << i;
  for (unsigned k = 1; k <= kPowersOfTenMedium.size(); ++k)
    EXPECT_EQ(kPowersOfTenMedium[k - 1], NearestPowerOfTen(32 * k)) << "10^" << 32 * k;
  for (unsigned m = 1; m <= kPowersOfTenLarge.size(); ++m)
    EXPECT_EQ(kPowersOfTenLarge[m - 1], NearestPowerOfTen(512 * m)) << "10^" << 512 * m;
}

TEST(PowersOfTen, UpTo10To27AreExact) {
  // 10^27 = 2^27 * 5^27 and 5^27 < 2^64: exact; 10^28 is not.
  for (unsigned i = 0; i <= 27; ++i) {
    FloatFlags flags = 0;
    uint64_t five = 1;
    for (unsigned j = 0; j < i; ++j) five *= 5;
    const Extended exact = Multiply(Extended::FromUint64(five), Extended::FromUint64(uint64_t{1} << (i % 64)), flags);
    EXPECT_EQ(kPowersOfTenSmall[i], exact) << i;
    EXPECT_EQ(flags, 0u);
  }
}

}  // namespace
