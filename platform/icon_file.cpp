#include "platform/icon_file.h"

#include <QColor>
#include <vector>

namespace platform {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
  bool Has(std::size_t offset, std::size_t length) const {
    return offset <= data_.size() && length <= data_.size() - offset;
  }
  std::uint32_t U8(std::size_t at) const { return data_[at]; }
  std::uint32_t U16(std::size_t at) const { return data_[at] | (data_[at + 1] << 8); }
  std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  std::span<const std::uint8_t> Slice(std::size_t at, std::size_t length) const { return data_.subspan(at, length); }

 private:
  std::span<const std::uint8_t> data_;
};

QImage DecodeBitmap(const Reader& in, std::size_t at, std::size_t size) {
  if (size < 40 || !in.Has(at, 40) || in.U32(at) < 40) return {};
  const std::size_t header = in.U32(at);
  const auto width = static_cast<std::int32_t>(in.U32(at + 4));
  const auto double_height = static_cast<std::int32_t>(in.U32(at + 8));
  const std::uint32_t bits = in.U16(at + 14);
  const std::uint32_t compression = in.U32(at + 16);
  std::uint32_t colours = in.U32(at + 32);
  if (width <= 0 || width > 1024 || double_height <= 0 || double_height % 2 != 0 || double_height / 2 > 1024 ||
      compression != 0)
    return {};
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
  const int height = double_height / 2;
  if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
  if (bits > 8) colours = 0;

  const std::size_t palette_at = at + header;
  const std::size_t pixels_at = palette_at + colours * 4;
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  const std::size_t mask_stride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const std::size_t mask_at = pixels_at + stride * height;
  if (!in.Has(at, size) || mask_at + mask_stride * height > at + size) return {};

  std::vector<QRgb> palette(colours);
  for (std::uint32_t i = 0; i < colours; ++i) {
    const std::size_t p = palette_at + i * 4;
    palette[i] = qRgb(static_cast<int>(in.U8(p + 2)), static_cast<int>(in.U8(p + 1)), static_cast<int>(in.U8(p)));
  }

  QImage image(width, height, QImage::Format_ARGB32);
  bool any_alpha = false;
  for (int y = 0; y < height; ++y) {
    // Rows are stored bottom-up.
    const std::size_t row = pixels_at + stride * static_cast<std::size_t>(height - 1 - y);
    const std::size_t mask_row = mask_at + mask_stride * static_cast<std::size_t>(height - 1 - y);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      QRgb pixel;
      if (bits <= 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const std::uint32_t byte = in.U8(row + bit / 8);
        const std::uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        pixel = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
      } else {
        const std::size_t p = row + static_cast<std::size_t>(x) * (bits / 8);
        const int alpha = bits == 32 ? static_cast<int>(in.U8(p + 3)) : 255;
        any_alpha = any_alpha || (bits == 32 && alpha != 0);
        pixel = qRgba(static_cast<int>(in.U8(p + 2)), static_cast<int>(in.U8(p + 1)), static_cast<int>(in.U8(p)), alpha);
      }
      const bool transparent = (in.U8(mask_row + static_cast<std::size_t>(x) / 8) >> (7 - x % 8)) & 1;
      if (bits != 32) pixel = transparent ? qRgba(0, 0, 0, 0) : (pixel | 0xFF000000u);
      line[x] = pixel;
    }
  }
  // A 32-bit image whose alpha channel is all zero relies on its mask alone.
  if (bits == 32 && !any_alpha) {
    for (int y = 0; y < height; ++y) {
      const std::size_t mask_row = mask_at + mask_stride * static_cast<std::size_t>(height - 1 - y);
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x) {
        const bool transparent = (in.U8(mask_row + static_cast<std::size_t>(x) / 8) >> (7 - x % 8)) & 1;
        line[x] = transparent ? qRgba(0, 0, 0, 0) : (line[x] | 0xFF000000u);
      }
    }
  }
  return image;
}

}  // namespace

QImage DecodeIconFile(std::span<const std::uint8_t> data) {
  const Reader in(data);
  if (!in.Has(0, 6) || in.U16(0) != 0 || in.U16(2) != 1) return {};
  const std::uint32_t count = in.U16(4);
  if (count == 0 || !in.Has(6, count * 16)) return {};

  // The largest image, then the one with the most colours.
  std::uint32_t best = count;
  std::uint32_t best_area = 0, best_bits = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + i * 16;
    const std::uint32_t w = in.U8(entry) ? in.U8(entry) : 256;
    const std::uint32_t h = in.U8(entry + 1) ? in.U8(entry + 1) : 256;
    const std::uint32_t bits = in.U16(entry + 6);
    if (best == count || w * h > best_area || (w * h == best_area && bits > best_bits)) {
      best = i;
      best_area = w * h;
      best_bits = bits;
    }
  }
  const std::size_t entry = 6 + best * 16;
  const std::size_t size = in.U32(entry + 8);
  const std::size_t at = in.U32(entry + 12);
  if (!in.Has(at, size)) return {};

  static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), data.begin() + at)) {
    const auto png = in.Slice(at, size);
    return QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG").convertToFormat(QImage::Format_ARGB32);
  }
  return DecodeBitmap(in, at, size);
}

}  // namespace platform
