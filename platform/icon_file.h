#pragma once
// Reading the program's .ico file: the largest image it holds, as a picture
// with transparency. Decoded here rather than by an image plug-in, so the
// icon never depends on what plug-ins are installed.

#include <cstdint>
#include <span>

#include <QImage>

namespace platform {

// Decodes the largest (then deepest) image of an .ico file: BMP images of 1,
// 4, 8, 24 or 32 bits per pixel with their 1-bit mask, or PNG images. Returns
// a null image for data that is not a well-formed icon.
QImage DecodeIconFile(std::span<const std::uint8_t> data);

}  // namespace platform
