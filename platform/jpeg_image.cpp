#include "platform/jpeg_image.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "platform/jpeg_decoder.h"

namespace {

// Bits per pixel of the display the picture will be seen on; a true-colour
// one when there is no screen at all.
int DisplayDepth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 24;
}

}  // namespace

bool TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) noexcept {
  bytes_.clear();
  bitmap_ = QImage();
  failed_ = false;
  decodeCount_ = 0;
  width_ = height_ = 0;
  const std::optional<platform::JpegHeader> header = platform::ReadJpegHeader(bytes);
  if (!header) return false;
  try {
    bytes_.assign(bytes.begin(), bytes.end());
  } catch (...) {
    bytes_.clear();
    return false;
  }
  width_ = header->width;
  height_ = header->height;
  return true;
}

const QImage& TJPEGImage::Bitmap() noexcept {
  if (!bytes_.empty() && !failed_ && decodeCount_ == 0) {
    ++decodeCount_;
    bitmap_ = platform::DecodeJpeg(bytes_, DisplayDepth());
    // The headers promised a size; anything else is not the picture we
    // loaded.
    if (bitmap_.isNull() || bitmap_.width() != width_ || bitmap_.height() != height_) {
      bitmap_ = QImage();
      failed_ = true;
    } else {
      // Kept in the pixel format Qt paints windows in, so that a repaint
      // copies pixels rather than converting them again each time. The
      // colours stay those libjpeg gave, quantised ones included.
      bitmap_.convertTo(QImage::Format_RGB32);
    }
  }
  return bitmap_;
}

void TJPEGImage::Draw(QPainter& painter, const QPoint& at) noexcept {
  const QImage& bitmap = Bitmap();
  if (!bitmap.isNull()) painter.drawImage(at, bitmap);
}
