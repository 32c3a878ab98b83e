// The software extended arithmetic against two independent models: MPFR at
// 64 bits with the extended exponent range and subnormals, and, where this
// host has one, the x87 unit itself. Random operand pairs are weighted
// toward the cases where roundings go wrong: ties, subnormal and overflowing
// results, cancellation, values next to whole numbers.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/extended.h"
#include "core/wide_uint.h"

#ifndef KOTORINA_DIFFERENTIAL_CASES
#define KOTORINA_DIFFERENTIAL_CASES 1000000
#endif

namespace {

constexpr int kCases = KOTORINA_DIFFERENTIAL_CASES;
constexpr int kBias = 16383;
constexpr uint64_t kLead = uint64_t{1} << 63;

struct Rng {
  uint64_t state;
  uint64_t Next() {  // splitmix64
    uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  int64_t Below(int64_t n) { return static_cast<int64_t>(Next() % static_cast<uint64_t>(n)); }
  int64_t Between(int64_t lo, int64_t hi) { return lo + Below(hi - lo + 1); }
  bool Chance(int percent) { return Below(100) < percent; }
};

uint64_t RandomSignificand(Rng& r) {
  switch (r.Below(6)) {
    case 0:
      return kLead | r.Next();
    case 1:  // few bits: exact products and sums exactly halfway
      return kLead | (uint64_t{1} << r.Below(63)) | (r.Chance(50) ? uint64_t{1} << r.Below(63) : 0);
    case 2:  // nearly all ones: carries out of the significand
      return ~uint64_t{0} ^ (r.Chance(70) ? uint64_t{1} << r.Below(63) : 0);
    case 3:
      return kLead | static_cast<uint64_t>(r.Below(4));
    case 4:  // a short significand, trailing zeros
      return (kLead | r.Next()) & ~((uint64_t{1} << r.Below(64)) - 1);
    default:  // trailing ones
      return kLead | r.Next() | ((uint64_t{1} << r.Below(64)) - 1);
  }
}

// A finite value with the given biased exponent; from 0 down it becomes a
// subnormal of that scale (never zero).
Extended Finite(bool negative, int64_t exponent, uint64_t sig) {
  if (exponent > 0x7FFE) exponent = 0x7FFE;
  if (exponent >= 1) sig |= kLead;
  if (exponent < 1) {
    const int64_t shift = 1 - exponent;
    sig = shift >= 64 ? 1 : sig >> shift;
    if (!sig) sig = 1;
    exponent = 0;
  }
  return Extended::FromBits(static_cast<uint16_t>((negative ? 0x8000 : 0) | exponent), sig);
}

int64_t RandomExponent(Rng& r) {
  switch (r.Below(5)) {
    case 0:
      return r.Between(-66, 0x7FFE);
    case 1:
      return r.Between(-66, 80);  // subnormal and smallest normals
    case 2:
      return r.Between(0x7FFE - 80, 0x7FFE);  // near the largest
    default:
      return r.Between(kBias - 70, kBias + 70);  // ordinary magnitudes
  }
}

Extended Special(Rng& r) {
  const bool negative = r.Chance(50);
  switch (r.Below(6)) {
    case 0:
      return negative ? -Extended() : Extended();
    case 1:
      return Extended::FromBits(negative ? 0xFFFF : 0x7FFF, kLead);  // infinity
    case 2:
      return Finite(negative, 0x7FFE, ~uint64_t{0});  // largest
    case 3:
      return Finite(negative, 1, kLead);  // smallest normal
    case 4:
      return Extended::FromBits(negative ? 0x8000 : 0, 1);  // smallest subnormal
    default:
      return Finite(negative, kBias + r.Below(64), kLead);  // a power of two
  }
}

enum class Op { kAdd, kSubtract, kMultiply, kDivide };

struct Pair {
  Extended a, b;
};

Pair RandomPair(Op op, Rng& r) {
  const bool na = r.Chance(50), nb = r.Chance(50);
  const int64_t ea = RandomExponent(r);
  const uint64_t sa = RandomSignificand(r);
  const Extended a = Finite(na, ea, sa);
  switch (r.Below(9)) {
    case 8: {  // two odd 33-bit significands: the product is often exactly halfway
      const auto odd33 = [&] { return (kLead | (r.Next() >> 1) | (uint64_t{1} << 31)) >> 31 << 31; };
      return {Finite(na, ea, odd33()), Finite(nb, r.Between(kBias - 70, kBias + 70), odd33())};
    }
    case 0:  // independent
      return {a, Finite(nb, RandomExponent(r), RandomSignificand(r))};
    case 1:
    case 2:  // exponents close together: alignment, ties, cancellation
      return {a, Finite(nb, ea + r.Between(-68, 68), RandomSignificand(r))};
    case 3: {  // next to a itself: deep cancellation
      const uint64_t delta = static_cast<uint64_t>(r.Below(5));
      const uint64_t sb = r.Chance(50) ? sa + delta : sa - delta;
      return {a, Finite(nb, ea + r.Between(-1, 1), sb | (ea > 0 ? kLead : 0))};
    }
    case 4: {  // a result at the edge of the range
      const int64_t target = r.Chance(50) ? r.Between(-70, 70) : r.Between(0x7FFE - 3, 0x7FFE + 3);
      int64_t eb = ea;
      if (op == Op::kMultiply) eb = target - ea + kBias;
      if (op == Op::kDivide) eb = ea - target + kBias;
      if (op == Op::kAdd || op == Op::kSubtract) return {Finite(na, target, sa), Finite(nb, target, RandomSignificand(r))};
      return {a, Finite(nb, eb, RandomSignificand(r))};
    }
    case 5: {  // whole numbers and their neighbours
      const int64_t e = kBias + r.Below(66);
      return {Finite(na, e, sa), Finite(nb, kBias + r.Below(8), kLead | (static_cast<uint64_t>(r.Below(256)) << 55))};
    }
    case 6:
      return r.Chance(50) ? Pair{Special(r), a} : Pair{a, Special(r)};
    default:
      return {Special(r), Special(r)};
  }
}

void PrintTo(Op op, std::ostream* os) { *os << static_cast<int>(op); }

std::string OpName(const testing::TestParamInfo<Op>& info) {
  static const char* const kNames[] = {"Add", "Subtract", "Multiply", "Divide"};
  return kNames[static_cast<int>(info.param)];
}

Extended Apply(Op op, const Extended& a, const Extended& b, FloatFlags& f) {
  switch (op) {
    case Op::kAdd:
      return Add(a, b, f);
    case Op::kSubtract:
      return Subtract(a, b, f);
    case Op::kMultiply:
      return Multiply(a, b, f);
    default:
      return Divide(a, b, f);
  }
}

std::string Show(const Extended& x) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04X:%016llX", x.SignExponent(), static_cast<unsigned long long>(x.Significand()));
  return buffer;
}

// ---- MPFR as the model ----------------------------------------------------

class Mpfr {
 public:
  explicit Mpfr(mpfr_prec_t precision) { mpfr_init2(x_, precision); }
  ~Mpfr() { mpfr_clear(x_); }
  Mpfr(const Mpfr&) = delete;
  mpfr_ptr get() { return x_; }

 private:
  mpfr_t x_;
};

void SetExact(mpfr_ptr out, const Extended& x) {
  const int e = x.SignExponent() & 0x7FFF;
  if (e == 0x7FFF) {
    mpfr_set_inf(out, x.IsNegative() ? -1 : 1);
    return;
  }
  if (x.Significand() == 0) {
    mpfr_set_zero(out, x.IsNegative() ? -1 : 1);
    return;
  }
  mpfr_set_uj(out, x.Significand(), MPFR_RNDN);
  mpfr_mul_2si(out, out, (e == 0 ? 1 : e) - kBias - 63, MPFR_RNDN);
  if (x.IsNegative()) mpfr_neg(out, out, MPFR_RNDN);
}

Extended FromMpfr(mpfr_srcptr r) {
  const bool negative = mpfr_signbit(r);
  if (mpfr_nan_p(r)) return Extended::FromBits(0xFFFF, 0xC000000000000000u);
  if (mpfr_inf_p(r)) return Extended::FromBits(negative ? 0xFFFF : 0x7FFF, kLead);
  if (mpfr_zero_p(r)) return Extended::FromBits(negative ? 0x8000 : 0, 0);
  Mpfr t(64);
  mpfr_abs(t.get(), r, MPFR_RNDN);
  const mpfr_exp_t e = mpfr_get_exp(r);
  mpfr_mul_2si(t.get(), t.get(), 64 - e, MPFR_RNDN);
  return Finite(negative, e - 1 + kBias, mpfr_get_uj(t.get(), MPFR_RNDN));
}

struct Model {
  Extended value;
  FloatFlags flags;
  bool tie;  // the exact result lay halfway between two extended values
};

using MpfrOp = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

MpfrOp MpfrFor(Op op) {
  switch (op) {
    case Op::kAdd:
      return mpfr_add;
    case Op::kSubtract:
      return mpfr_sub;
    case Op::kMultiply:
      return mpfr_mul;
    default:
      return mpfr_div;
  }
}

// Rounds at full precision in MPFR's unbounded range first, then brings
// the result into the format's exponent range with subnormals, the ternary
// value guarding against double rounding (mpfr_check_range and
// mpfr_subnormalize). Tininess is judged after rounding, on the first result.
template <typename Compute>
Model Emulate(mpfr_prec_t precision, mpfr_exp_t emin, mpfr_exp_t emax, mpfr_exp_t min_normal_exp, Compute compute) {
  const mpfr_exp_t saved_emin = mpfr_get_emin(), saved_emax = mpfr_get_emax();
  Mpfr wider(precision + 1), r(precision);
  const int wider_exact = compute(wider.get());
  mpfr_clear_flags();
  int t = compute(r.get());
  const bool tiny = mpfr_regular_p(r.get()) && mpfr_get_exp(r.get()) < min_normal_exp;
  const bool tie = wider_exact == 0 && t != 0 && mpfr_regular_p(r.get());

  mpfr_set_emin(emin);
  mpfr_set_emax(emax);
  t = mpfr_check_range(r.get(), t, MPFR_RNDN);
  t = mpfr_subnormalize(r.get(), t, MPFR_RNDN);
  FloatFlags flags = 0;
  if (mpfr_nanflag_p()) flags |= kFlagInvalid;
  if (mpfr_divby0_p()) flags |= kFlagZeroDivide;
  if (mpfr_overflow_p()) flags |= kFlagOverflow;
  if (t != 0) flags |= kFlagInexact;
  if (tiny && t != 0) flags |= kFlagUnderflow;
  mpfr_set_emin(saved_emin);
  mpfr_set_emax(saved_emax);
  return {FromMpfr(r.get()), flags, tie && !(flags & kFlagOverflow)};
}

Model MpfrModel(Op op, const Extended& a, const Extended& b) {
  Mpfr x(64), y(64);
  SetExact(x.get(), a);
  SetExact(y.get(), b);
  const MpfrOp f = MpfrFor(op);
  return Emulate(64, -16444, 16384, -16381, [&](mpfr_ptr out) { return f(out, x.get(), y.get(), MPFR_RNDN); });
}

class AgainstMpfr : public testing::TestWithParam<Op> {};

TEST_P(AgainstMpfr, EveryResultAndFlagMatches) {
  const Op op = GetParam();
  Rng r{0x5EED0000u + static_cast<uint64_t>(op)};
  int failures = 0, ties = 0, subnormal = 0, overflowed = 0, cancelled = 0;
  for (int i = 0; i < kCases && failures < 10; ++i) {
    const Pair p = RandomPair(op, r);
    FloatFlags flags = 0;
    const Extended got = Apply(op, p.a, p.b, flags);
    const Model want = MpfrModel(op, p.a, p.b);
    const bool same_value = want.value.IsNaN() ? got.IsNaN() : got == want.value;
    if (!same_value || flags != want.flags) {
      ++failures;
      ADD_FAILURE() << "op " << static_cast<int>(op) << " " << Show(p.a) << " " << Show(p.b) << ": got " << Show(got)
                    << " flags " << flags << ", want " << Show(want.value) << " flags " << want.flags;
    }
    ties += want.tie;
    subnormal += (want.value.SignExponent() & 0x7FFF) == 0 && !want.value.IsZero();
    overflowed += (want.flags & kFlagOverflow) != 0;
    cancelled += (p.a.SignExponent() & 0x7FFF) - (got.SignExponent() & 0x7FFF) > 20 && !got.IsZero() &&
                 (op == Op::kAdd || op == Op::kSubtract);
  }
  std::printf("    %d cases: %d ties, %d subnormal results, %d overflows, %d deep cancellations\n", kCases, ties,
              subnormal, overflowed, cancelled);
  // The generator must keep reaching the hard cases.
  EXPECT_GT(subnormal, kCases / 100);
  EXPECT_GT(overflowed, kCases / 100);
  // A quotient of 64-bit values is never halfway unless it is subnormal.
  if (op != Op::kDivide) {
    EXPECT_GT(ties, kCases / 100);
  }
  if (op == Op::kAdd || op == Op::kSubtract) {
    EXPECT_GT(cancelled, kCases / 100);
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, AgainstMpfr, testing::Values(Op::kAdd, Op::kSubtract, Op::kMultiply, Op::kDivide),
                         OpName);

TEST(AgainstMpfr, RoundingToDoubleMatches) {
  Rng r{0xD0B1E};
  int failures = 0, subnormal = 0, overflowed = 0, ties = 0;
  for (int i = 0; i < kCases && failures < 10; ++i) {
    // Exponents around the double range, significands with few or many bits.
    const int64_t e = r.Chance(10) ? RandomExponent(r)
                                   : kBias + (r.Chance(50) ? r.Between(-1022 - 60, -1022 + 4) : r.Between(1020, 1026));
    // 54 significant bits, the last one set: exactly halfway between doubles.
    const uint64_t sig = r.Chance(25) ? ((kLead | r.Next()) >> 10 << 10) | (uint64_t{1} << 10) : RandomSignificand(r);
    const Extended x = r.Chance(30) ? Finite(r.Chance(50), kBias + r.Between(-30, 60), sig)
                                    : Finite(r.Chance(50), e, sig);
    FloatFlags flags = 0;
    const double got = x.ToDouble(flags);
    Mpfr xm(64);
    SetExact(xm.get(), x);
    const Model want =
        Emulate(53, -1073, 1024, -1021, [&](mpfr_ptr out) { return mpfr_set(out, xm.get(), MPFR_RNDN); });
    FloatFlags ignored = 0;
    const double want_double = want.value.ToDouble(ignored);  // exact: want has 53 bits
    if (std::memcmp(&got, &want_double, sizeof got) != 0 || flags != want.flags) {
      ++failures;
      ADD_FAILURE() << Show(x) << ": got " << got << " flags " << flags << ", want " << want_double << " flags "
                    << want.flags;
    }
    subnormal += want_double != 0 && std::fabs(want_double) < DBL_MIN;
    overflowed += (want.flags & kFlagOverflow) != 0;
    ties += want.tie;
  }
  std::printf("    %d cases: %d ties, %d subnormal results, %d overflows\n", kCases, ties, subnormal, overflowed);
  EXPECT_GT(subnormal, kCases / 100);
  EXPECT_GT(overflowed, kCases / 100);
  EXPECT_GT(ties, kCases / 100);
}

TEST(AgainstMpfr, DoublesLoadExactly) {
  Rng r{0xF00D};
  for (int i = 0; i < kCases / 10; ++i) {
    uint64_t bits = r.Next();
    if (r.Chance(20)) bits &= 0x800FFFFFFFFFFFFFu;  // subnormal
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (std::isnan(d)) continue;
    FloatFlags flags = 0;
    const Extended x = Extended::FromDouble(d, flags);
    Mpfr m(64);
    mpfr_set_d(m.get(), d, MPFR_RNDN);
    ASSERT_EQ(x, FromMpfr(m.get())) << d;
    ASSERT_EQ(flags, 0u);
    ASSERT_EQ(x.ToDouble(flags), d);
    ASSERT_EQ(flags, 0u);
  }
}

// ---- the x87 unit as the model -------------------------------------------

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64

long double ToNative(const Extended& x) {
  long double v = 0;
  unsigned char bytes[sizeof(long double)] = {};
  const uint64_t sig = x.Significand();
  const uint16_t se = x.SignExponent();
  std::memcpy(bytes, &sig, 8);
  std::memcpy(bytes + 8, &se, 2);
  std::memcpy(&v, bytes, sizeof v);
  return v;
}

Extended FromNative(long double v) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &v, sizeof v);
  uint64_t sig;
  uint16_t se;
  std::memcpy(&sig, bytes, 8);
  std::memcpy(&se, bytes + 8, 2);
  return Extended::FromBits(se, sig);
}

volatile long double native_a, native_b, native_r;
volatile double native_d;

// Kept out of line so that the operation stays between the flag calls.
__attribute__((noinline)) void NativeOp(Op op) {
  switch (op) {
    case Op::kAdd:
      native_r = native_a + native_b;
      break;
    case Op::kSubtract:
      native_r = native_a - native_b;
      break;
    case Op::kMultiply:
      native_r = native_a * native_b;
      break;
    case Op::kDivide:
      native_r = native_a / native_b;
      break;
  }
}
__attribute__((noinline)) void NativeToDouble() { native_d = static_cast<double>(native_a); }

constexpr int kNativeFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW | FE_INEXACT;

Extended RandomNaN(Rng& r) {
  const uint64_t payload = r.Next() & ~kLead;
  const uint64_t sig = kLead | (r.Chance(50) ? payload | (uint64_t{1} << 62) : (payload & ~(uint64_t{1} << 62)) | 1);
  return Extended::FromBits(r.Chance(50) ? 0xFFFF : 0x7FFF, sig);
}

Extended RandomOddEncoding(Rng& r) {
  const uint16_t sign = r.Chance(50) ? 0x8000 : 0;
  switch (r.Below(3)) {
    case 0:  // unnormal
      return Extended::FromBits(static_cast<uint16_t>(sign | r.Between(1, 0x7FFE)), r.Next() & ~kLead);
    case 1:  // pseudo-infinity or pseudo-NaN
      return Extended::FromBits(static_cast<uint16_t>(sign | 0x7FFF), r.Next() & ~kLead);
    default:  // pseudo-denormal
      return Extended::FromBits(sign, r.Next() | kLead);
  }
}

class AgainstX87 : public testing::TestWithParam<Op> {};

TEST_P(AgainstX87, EveryResultAndFlagMatchesBitForBit) {
  const Op op = GetParam();
  Rng r{0x87000u + static_cast<uint64_t>(op)};
  int failures = 0;
  for (int i = 0; i < kCases && failures < 10; ++i) {
    Pair p = RandomPair(op, r);
    if (r.Chance(3)) (r.Chance(50) ? p.a : p.b) = RandomNaN(r);
    if (r.Chance(1)) p = {RandomNaN(r), RandomNaN(r)};
    if (r.Chance(1)) (r.Chance(50) ? p.a : p.b) = RandomOddEncoding(r);
    native_a = ToNative(p.a);
    native_b = ToNative(p.b);
    std::feclearexcept(FE_ALL_EXCEPT);
    NativeOp(op);
    const FloatFlags want_flags = static_cast<FloatFlags>(std::fetestexcept(kNativeFlags));
    const Extended want = FromNative(native_r);
    FloatFlags flags = 0;
    const Extended got = Apply(op, p.a, p.b, flags);
    if (!(got == want) || flags != want_flags) {
      ++failures;
      ADD_FAILURE() << "op " << static_cast<int>(op) << " " << Show(p.a) << " " << Show(p.b) << ": got " << Show(got)
                    << " flags " << flags << ", x87 " << Show(want) << " flags " << want_flags;
    }
  }
  std::feclearexcept(FE_ALL_EXCEPT);
}

INSTANTIATE_TEST_SUITE_P(Operations, AgainstX87, testing::Values(Op::kAdd, Op::kSubtract, Op::kMultiply, Op::kDivide),
                         OpName);

TEST(AgainstX87, RoundingToDoubleMatchesBitForBit) {
  Rng r{0x87D0};
  int failures = 0;
  for (int i = 0; i < kCases && failures < 10; ++i) {
    const int64_t e = kBias + (r.Chance(50) ? r.Between(-1022 - 60, -1022 + 4) : r.Between(1020, 1026));
    Extended x = Finite(r.Chance(50), r.Chance(20) ? RandomExponent(r) : e, RandomSignificand(r));
    if (r.Chance(3)) x = RandomNaN(r);
    if (r.Chance(1)) x = Special(r);
    native_a = ToNative(x);
    std::feclearexcept(FE_ALL_EXCEPT);
    NativeToDouble();
    const FloatFlags want_flags = static_cast<FloatFlags>(std::fetestexcept(kNativeFlags));
    const double want = native_d;
    FloatFlags flags = 0;
    const double got = x.ToDouble(flags);
    if (std::memcmp(&got, &want, sizeof got) != 0 || flags != want_flags) {
      ++failures;
      ADD_FAILURE() << Show(x) << ": got " << got << " flags " << flags << ", x87 " << want << " flags " << want_flags;
    }
  }
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(AgainstX87, ComparisonsMatch) {
  Rng r{0x87C0};
  for (int i = 0; i < kCases / 10; ++i) {
    Pair p = RandomPair(Op::kSubtract, r);
    if (r.Chance(5)) p.b = p.a;
    if (r.Chance(3)) p.a = RandomNaN(r);
    const long double a = ToNative(p.a), b = ToNative(p.b);
    const FloatOrder want = __builtin_isunordered(a, b) ? FloatOrder::kUnordered
                            : __builtin_isless(a, b)    ? FloatOrder::kLess
                            : __builtin_isgreater(a, b) ? FloatOrder::kGreater
                                                        : FloatOrder::kEqual;
    FloatFlags flags = 0;
    ASSERT_EQ(static_cast<int>(Compare(p.a, p.b, flags)), static_cast<int>(want)) << Show(p.a) << " " << Show(p.b);
  }
}

#endif

// ---- the integer primitives ----------------------------------------------

TEST(WideIntegers, PortableVersionsAgreeWithTheCompilers) {
  Rng r{0x128};
  for (int i = 0; i < kCases; ++i) {
    const uint64_t a = r.Chance(20) ? ~uint64_t{0} - static_cast<uint64_t>(r.Below(3)) : r.Next() >> r.Below(64);
    const uint64_t b = r.Chance(20) ? ~uint64_t{0} - static_cast<uint64_t>(r.Below(3)) : r.Next() >> r.Below(64);
    const wide::U128 p = wide::PortableMultiply(a, b);
    const unsigned __int128 q = static_cast<unsigned __int128>(a) * b;
    ASSERT_EQ(p.hi, static_cast<uint64_t>(q >> 64));
    ASSERT_EQ(p.lo, static_cast<uint64_t>(q));
    const uint64_t divisor = b | 1;
    const uint64_t hi = divisor > 1 ? a % divisor : 0, lo = r.Next();
    uint64_t remainder;
    const uint64_t quotient = wide::PortableDivide(hi, lo, divisor, &remainder);
    const unsigned __int128 n = (static_cast<unsigned __int128>(hi) << 64) | lo;
    ASSERT_EQ(quotient, static_cast<uint64_t>(n / divisor)) << hi << " " << lo << " " << divisor;
    ASSERT_EQ(remainder, static_cast<uint64_t>(n % divisor));
  }
}

}  // namespace
