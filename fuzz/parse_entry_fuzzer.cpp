// libFuzzer target for ParseEntry: every text must give a finite double,
// EConvertError with the not-a-number message of that text, or EOverflow,
// and the same answer every time. The first byte picks the separator.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/error_messages.h"
#include "core/exception.h"
#include "core/parse_entry.h"

namespace {

struct Outcome {
  int kind;  // 0 value, 1 EConvertError, 2 EOverflow
  double value;
  std::string message;
};

Outcome Parse(std::string_view text, std::string_view separator) {
  try {
    return {0, ParseEntry(text, separator), ""};
  } catch (const EConvertError& e) {
    return {1, 0, e.Message()};
  } catch (const EOverflow& e) {
    return {2, 0, e.Message()};
  }
  // Any other exception escapes and libFuzzer reports it.
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // "," "e" " " or "a" (U+066B, two bytes) pick that separator; anything else ".".
  const std::string_view separator = data[0] == ',' ? "," : data[0] == 'e' ? "e" : data[0] == ' ' ? " "
                                     : data[0] == 'a' ? "\u066b" : ".";
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const Outcome first = Parse(text, separator);
  if (first.kind == 0 && !std::isfinite(first.value)) std::abort();
  if (first.kind == 1 && first.message != NotANumberMessage(text)) std::abort();
  if (first.kind == 2 && first.message != OverflowMessage) std::abort();

  const Outcome again = Parse(text, separator);
  if (again.kind != first.kind || again.message != first.message ||
      std::memcmp(&again.value, &first.value, sizeof first.value) != 0)
    std::abort();
  return 0;
}
