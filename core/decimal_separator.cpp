#include "core/decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

std::string& Separator() {
  static std::string separator = ".";
  return separator;
}

// The locale name that the C library would take for LC_NUMERIC from the
// environment: LC_ALL, then LC_NUMERIC, then LANG, else "C".
const char* NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "C";
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The radix character of the named locale as one UTF-8 character, or "" when
// the locale does not exist or its radix is not exactly one character. The
// radix is decoded in the locale's own character set (LC_CTYPE of the same
// name); only this thread's locale is switched, and only for the decoding.
std::string RadixOf(const char* name) {
  locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, name, static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return "";
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  std::string result;
  if (radix && *radix) {
    const locale_t previous = uselocale(locale);
    std::mbstate_t state{};
    wchar_t c;
    const size_t length = std::strlen(radix);
    const size_t used = std::mbrtowc(&c, radix, length, &state);
    if (used == length && c != 0) AppendUtf8(result, static_cast<char32_t>(c));
    uselocale(previous);
  }
  freelocale(locale);
  return result;
}

}  // namespace

void ReadDecimalSeparator() {
  std::string radix = RadixOf(NumericLocaleName());
  Separator() = radix.empty() ? std::string(".") : std::move(radix);
}

const std::string& DecimalSeparator() { return Separator(); }
