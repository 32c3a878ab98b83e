#pragma once
// A JPEG picture. It keeps the file's bytes and decodes them with libjpeg
// the first time it is drawn; the bitmap is then kept and drawn again on
// every repaint. Data libjpeg cannot decode, whether found while loading
// (the headers) or on that first drawing (the rest), leaves it empty.

#include <cstdint>
#include <span>
#include <vector>

#include <QImage>

#include "platform/picture.h"

class TJPEGImage : public TGraphic {
 public:
  // The class name stored in a form's description.
  static constexpr const char* kClassName = "TJPEGImage";

  bool LoadFromBytes(std::span<const std::uint8_t> bytes) noexcept override;
  bool Empty() const noexcept override { return bytes_.empty() || failed_; }
  int Width() const noexcept override { return Empty() ? 0 : width_; }
  int Height() const noexcept override { return Empty() ? 0 : height_; }
  void Draw(QPainter& painter, const QPoint& at) noexcept override;

  // The decoded bitmap (QImage::Format_RGB32), decoding first if that has
  // not been tried yet; a null image when the picture is empty.
  const QImage& Bitmap() noexcept;
  // How often the bytes were handed to the decoder: 0 before the first
  // drawing, 1 ever after.
  int DecodeCount() const noexcept { return decodeCount_; }
  std::span<const std::uint8_t> Bytes() const noexcept { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int width_ = 0;
  int height_ = 0;
  bool failed_ = false;
  int decodeCount_ = 0;
  QImage bitmap_;
};
