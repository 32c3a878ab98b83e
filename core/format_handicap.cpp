#include "core/format_handicap.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/decimal_separator.h"

namespace {

// A value the calculation never produces (not a whole number in the 64-bit
// range): the same general format, 15 significant digits.
std::string FormatOther(double value, std::string_view separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  std::string out;
  size_t pos = 0;
  for (; pos < text.size() && text[pos] != 'e'; ++pos) {
    if (text[pos] == '.')
      out += separator;
    else
      out += text[pos];
  }
  if (pos < text.size()) {  // "e+17" -> "E17", "e-05" -> "E-5"
    out += 'E';
    ++pos;
    if (text[pos] == '-') out += '-';
    ++pos;
    while (pos + 1 < text.size() && text[pos] == '0') ++pos;
    out.append(text.substr(pos));
  }
  return out;
}

}  // namespace

std::string FormatHandicap(double handicap, std::string_view separator) {
  constexpr double kTwo63 = 9223372036854775808.0;
  if (!(handicap >= -kTwo63 && handicap < kTwo63) || std::trunc(handicap) != handicap)
    return FormatOther(handicap, separator);
  if (handicap == 0) return "0";

  const bool negative = handicap < 0;
  const uint64_t magnitude = negative ? (handicap == -kTwo63 ? uint64_t{1} << 63 : static_cast<uint64_t>(-handicap))
                                      : static_cast<uint64_t>(handicap);
  std::string out = negative ? "-" : "";
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const int count = static_cast<int>(end - digits);
  if (count <= 15) return out.append(digits, end);

  // 15 significant digits, the sixteenth rounding half up.
  int power = count - 1;
  std::string kept(digits, 15);
  if (digits[15] >= '5') {
    int i = 14;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0) {
      ++kept[i];
    } else {  // all nines: one power of ten higher
      kept.insert(kept.begin(), '1');
      kept.pop_back();
      ++power;
    }
  }
  while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
  out += kept[0];
  if (kept.size() > 1) {
    out += separator;
    out.append(kept, 1);
  }
  out += 'E';
  out += std::to_string(power);
  return out;
}

std::string FormatHandicap(double handicap) { return FormatHandicap(handicap, DecimalSeparator()); }
