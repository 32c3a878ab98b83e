#include "core/decimal_separator.h"

// Placeholder until the core lands: always ".".
namespace {
std::string& Separator() {
  static std::string separator = ".";
  return separator;
}
}  // namespace

void ReadDecimalSeparator() { Separator().assign(1, '.'); }
const std::string& DecimalSeparator() { return Separator(); }
