#include "core/parse_entry.h"

#include <cstdint>
#include <limits>

#include "core/decimal_separator.h"
#include "core/error_messages.h"
#include "core/exception.h"
#include "core/extended.h"
#include "core/powers_of_ten.h"

namespace {

// Where the parts of a syntactically valid number lie in its text.
struct NumberSyntax {
  bool negative = false;
  std::string_view integer_digits;
  std::string_view fraction_digits;
  int exponent = 0;  // with its sign; its magnitude is at most 4999
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Scan(std::string_view text, std::string_view separator, NumberSyntax& number) {
  size_t pos = 0;
  const auto skip_blanks = [&] {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  };
  const auto digits = [&] {
    const size_t begin = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return text.substr(begin, pos - begin);
  };

  skip_blanks();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) number.negative = text[pos++] == '-';
  number.integer_digits = digits();
  bool has_separator = false;
  if (!separator.empty() && text.substr(pos).starts_with(separator)) {
    pos += separator.size();
    has_separator = true;
    number.fraction_digits = digits();
  }
  if (number.integer_digits.empty() && !has_separator) return false;

  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    bool exponent_negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) exponent_negative = text[pos++] == '-';
    int exponent = 0;
    // Once the exponent reaches 500 no further digit is taken; one left over
    // is then in the way of the end of the text.
    while (exponent < 500 && pos < text.size() && IsDigit(text[pos])) exponent = exponent * 10 + (text[pos++] - '0');
    number.exponent = exponent_negative ? -exponent : exponent;
  }
  skip_blanks();
  return pos == text.size();
}

// v * 10 + digit over all digits, each step rounded to extended. While the
// accumulation is exact it runs on a 64-bit integer, with the same result.
Extended Accumulate(std::string_view integer_digits, std::string_view fraction_digits, FloatFlags& flags) {
  constexpr uint64_t kExactLimit = (std::numeric_limits<uint64_t>::max() - 9) / 10;
  static const Extended kTen = Extended::FromUint64(10);
  uint64_t exact = 0;
  bool is_exact = true;
  Extended v;
  for (std::string_view part : {integer_digits, fraction_digits}) {
    for (char c : part) {
      const unsigned digit = static_cast<unsigned>(c - '0');
      if (is_exact) {
        if (exact <= kExactLimit) {
          exact = exact * 10 + digit;
          continue;
        }
        v = Extended::FromUint64(exact);
        is_exact = false;
      }
      v = Add(Multiply(v, kTen, flags), Extended::FromUint64(digit), flags);
      // Past the extended range the value stays infinite (and the overflow
      // already recorded); the remaining digits change nothing.
      if (v.IsInfinite()) return v;
    }
  }
  return is_exact ? Extended::FromUint64(exact) : v;
}

Extended Scale(Extended v, int64_t decimal_exponent, FloatFlags& flags) {
  if (decimal_exponent == 0) return v;
  const bool divide = decimal_exponent < 0;
  const uint64_t n = divide ? 0 - static_cast<uint64_t>(decimal_exponent) : static_cast<uint64_t>(decimal_exponent);
  if (divide && n >= 5120) return Extended();  // below every extended value
  const auto apply = [&](const Extended& factor) {
    v = divide ? Divide(v, factor, flags) : Multiply(v, factor, flags);
  };
  // 10^0 would change nothing; skipping it changes no value and no flag.
  if (n % 32) apply(kPowersOfTenSmall[n % 32]);
  if (const uint64_t k = (n / 32) % 16) apply(kPowersOfTenMedium[k - 1]);
  if (const uint64_t m = n / 512) apply(kPowersOfTenLarge[m - 1]);  // m <= 9: n < 5120
  return v;
}

}  // namespace

double ParseEntry(std::string_view text, std::string_view separator) {
  NumberSyntax number;
  if (!Scan(text, separator, number)) throw EConvertError(NotANumberMessage(text));

  // The conversion proper: every exception masked, only overflow decides.
  FloatFlags flags = 0;
  Extended v = Accumulate(number.integer_digits, number.fraction_digits, flags);
  // The text's length bounds the fraction digits; a text longer than int64
  // cannot exist, so this cannot wrap.
  const int64_t decimal_exponent = number.exponent - static_cast<int64_t>(number.fraction_digits.size());
  v = Scale(v, decimal_exponent, flags);
  if (number.negative) v = -v;
  if (flags & kFlagOverflow) throw EConvertError(NotANumberMessage(text));

  // Storing as double: overflow is an error here, underflow is not.
  FloatFlags store_flags = 0;
  const double value = v.ToDouble(store_flags);
  if (store_flags & kFlagOverflow) throw EOverflow(std::string(OverflowMessage));
  return value;
}

double ParseEntry(std::string_view text) { return ParseEntry(text, DecimalSeparator()); }
