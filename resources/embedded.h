#pragma once
// The files compiled into the executable from resources/.

#include <cstdint>
#include <span>

// The application icon as an .ico file holding the one 32 x 32 image.
std::span<const std::uint8_t> MainIconFile();
// The logo picture, a JPEG file.
std::span<const std::uint8_t> LogoJpegFile();
