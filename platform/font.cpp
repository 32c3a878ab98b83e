#include "platform/font.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <QFontMetrics>
#include <QStringList>

namespace platform {
namespace {

struct Substitute {
  std::string_view designed;
  const char* installed;
};

// Fonts of the same design and metrics, from fonts-ipafont-gothic.
constexpr Substitute kSubstitutes[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS PGothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},
};

}  // namespace

QFont MakeFont(const FontDescription& description, int pixelSize) {
  QStringList families{QString::fromStdString(description.name)};
  for (const auto& substitute : kSubstitutes) {
    if (substitute.designed == description.name) families.append(QString::fromLatin1(substitute.installed));
  }
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
  font.setBold(false);
  font.setItalic(false);
  return font;
}

int TextHeight(const QFont& font) { return QFontMetrics(font).height(); }

int MulDiv(int n, int numerator, int denominator) {
  if (denominator == 0) return n;
  const std::int64_t product = static_cast<std::int64_t>(n) * numerator;
  const std::int64_t half = std::llabs(denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace platform
