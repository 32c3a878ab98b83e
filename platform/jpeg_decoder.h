#pragma once
// JPEG decoding with libjpeg (the 6b interface), called directly.
//
// libjpeg reports a fatal error by calling exit(); these functions install
// an error manager of their own that jumps back out instead, so no data,
// however damaged, can end the process. Warnings count as failures too:
// libjpeg warns about data that ends early or carries stray bytes and then
// goes on making up the missing part (a grey smear), and a damaged logo is
// better left out than shown half drawn. Neither function throws.

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>

namespace platform {

struct JpegHeader {
  int width = 0;
  int height = 0;
  int components = 0;
};

// Pictures wider or taller than this are refused before anything is
// allocated for them: a damaged header must not make us claim gigabytes.
inline constexpr int kMaxJpegSide = 16384;
inline constexpr std::int64_t kMaxJpegPixels = std::int64_t{1} << 26;

// Reads the headers up to the first frame; nothing if they are unusable.
std::optional<JpegHeader> ReadJpegHeader(std::span<const std::uint8_t> bytes) noexcept;

// Decodes the whole picture at full size with block smoothing and the
// floating-point inverse DCT. For a display of more than 8 bits per pixel
// the result is 24-bit RGB (QImage::Format_RGB888); for 8 or fewer, libjpeg
// quantises it to at most 236 colours (QImage::Format_Indexed8). A null
// image if the data is unusable.
QImage DecodeJpeg(std::span<const std::uint8_t> bytes, int displayBitsPerPixel) noexcept;

}  // namespace platform
