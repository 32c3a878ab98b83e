// ParseEntry against the same value steps run on the x87 unit of this host
// (64-bit precision, all exceptions masked, the overflow flag read back),
// with powers of ten rounded by MPFR: random texts of every shape.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/exception.h"
#include "core/parse_entry.h"

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64

#ifndef KOTORINA_DIFFERENTIAL_CASES
#define KOTORINA_DIFFERENTIAL_CASES 1000000
#endif

namespace {

long double PowerOfTen(unsigned n) {
  mpfr_t x;
  mpfr_init2(x, 64);
  mpfr_ui_pow_ui(x, 10, n, MPFR_RNDN);
  const long double v = mpfr_get_ld(x, MPFR_RNDN);
  mpfr_clear(x);
  return v;
}

enum class Result { kValue, kConvertError, kOverflow };

volatile long double sink;

// The value steps on the x87 unit. Kept out of line so that the arithmetic
// stays between the flag calls.
__attribute__((noinline)) Result NativeParse(const std::string& digits, int64_t decimal_exponent, bool negative,
                                             double* out) {
  static long double small[32], medium[15], large[9];
  static const bool ready = [] {
    for (unsigned i = 0; i < 32; ++i) small[i] = PowerOfTen(i);
    for (unsigned k = 1; k <= 15; ++k) medium[k - 1] = PowerOfTen(32 * k);
    for (unsigned m = 1; m <= 9; ++m) large[m - 1] = PowerOfTen(512 * m);
    return true;
  }();
  (void)ready;
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile long double v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  const uint64_t n = decimal_exponent < 0 ? static_cast<uint64_t>(-decimal_exponent) : static_cast<uint64_t>(decimal_exponent);
  if (decimal_exponent < 0 && n >= 5120) {
    v = 0;
  } else if (decimal_exponent != 0) {
    const long double factors[3] = {small[n % 32], (n / 32) % 16 ? medium[(n / 32) % 16 - 1] : 1.0L,
                                    n / 512 ? large[n / 512 - 1] : 1.0L};
    for (long double f : factors) v = decimal_exponent < 0 ? v / f : v * f;
  }
  if (negative) v = -v;
  if (std::fetestexcept(FE_OVERFLOW)) return Result::kConvertError;
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile double stored = static_cast<double>(v);
  const bool overflow = std::fetestexcept(FE_OVERFLOW);
  std::feclearexcept(FE_ALL_EXCEPT);
  if (overflow) return Result::kOverflow;
  *out = stored;
  return Result::kValue;
}

TEST(ParseEntryAgainstX87, EveryValueAndErrorMatches) {
  uint64_t state = 0xE27;
  const auto next = [&] { return state = state * 6364136223846793005u + 1442695040888963407u; };
  const auto below = [&](uint64_t n) { return (next() >> 17) % n; };
  const auto digit_run = [&](uint64_t max_length) {
    std::string run;
    const uint64_t length = below(max_length + 1);
    const bool sparse = below(3) == 0;
    for (uint64_t i = 0; i < length; ++i)
      run += static_cast<char>('0' + (sparse ? (below(8) == 0 ? below(10) : below(2) * 9) : below(10)));
    return run;
  };
  int mismatches = 0;
  for (int i = 0; i < KOTORINA_DIFFERENTIAL_CASES / 10 && mismatches < 10; ++i) {
    const uint64_t shape = below(10) + (below(4) == 0);  // long texts rarer
    std::string integer = digit_run(shape < 7 ? 25 : shape < 9 ? 400 : 5000);
    std::string fraction = below(2) ? digit_run(shape < 7 ? 25 : shape < 10 ? 200 : 5200) : "";
    const bool has_point = !fraction.empty() || below(4) == 0 || integer.empty();
    int exponent = 0;
    std::string exponent_text;
    if (below(2)) {
      exponent = static_cast<int>(below(3) ? below(400) : below(5000));
      if (below(2)) exponent = -exponent;
      exponent_text = "e" + std::to_string(exponent);
    }
    const bool negative = below(2);
    const std::string text = (negative ? "-" : "") + integer + (has_point ? "." : "") + fraction + exponent_text;

    double want = 0;
    const Result want_result =
        NativeParse(integer + fraction, exponent - static_cast<int64_t>(fraction.size()), negative, &want);
    Result got_result = Result::kValue;
    double got = 0;
    try {
      got = ParseEntry(text, ".");
    } catch (const EConvertError&) {
      got_result = Result::kConvertError;
    } catch (const EOverflow&) {
      got_result = Result::kOverflow;
    }
    if (got_result != want_result || std::memcmp(&got, &want, sizeof got) != 0) {
      ++mismatches;
      ADD_FAILURE() << text.substr(0, 200) << " (" << text.size() << " chars): got " << static_cast<int>(got_result)
                    << " " << got << ", x87 " << static_cast<int>(want_result) << " " << want;
    }
  }
}

}  // namespace

#endif
