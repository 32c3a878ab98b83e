#pragma once
// Window fonts. A description names the font it was designed with; where that
// font is not installed the nearest installed font of the same design takes
// its place (for the Japanese proportional gothic: IPAPGothic, which keeps
// its metrics), so that Japanese text always shows.

#include <QFont>

#include "platform/form_description.h"

namespace platform {

// The font of the description at the given pixel size.
QFont MakeFont(const FontDescription& description, int pixelSize);

// The height of "0" in the font, the measure a layout is scaled by: the height
// of a line of text in it.
int TextHeight(const QFont& font);

// n * numerator / denominator, rounded to the nearest whole number, halves away
// from zero: the rounding of every scaled position and size.
int MulDiv(int n, int numerator, int denominator);

}  // namespace platform
