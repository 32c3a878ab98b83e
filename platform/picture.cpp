#include "platform/picture.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::vector<PictureFileFormat>& Registry() {
  static std::vector<PictureFileFormat> formats;
  return formats;
}

const PictureFileFormat* FindByClassName(std::string_view className) {
  for (const PictureFileFormat& format : Registry()) {
    if (format.className == className) return &format;
  }
  return nullptr;
}

// The parts of the tagged form, or nothing if the data is too short for the
// lengths it declares.
struct TaggedPicture {
  std::string_view className;
  std::span<const std::uint8_t> bytes;
};

bool SplitTaggedData(std::span<const std::uint8_t> data, TaggedPicture& out) {
  if (data.empty()) return false;
  const std::size_t nameLength = data[0];
  if (nameLength == 0 || data.size() < 1 + nameLength + 4) return false;
  out.className = std::string_view(reinterpret_cast<const char*>(data.data() + 1), nameLength);
  const std::uint8_t* count = data.data() + 1 + nameLength;
  const std::uint64_t byteCount = std::uint64_t{count[0]} | std::uint64_t{count[1]} << 8 |
                                  std::uint64_t{count[2]} << 16 | std::uint64_t{count[3]} << 24;
  const std::size_t offset = 1 + nameLength + 4;
  if (byteCount > data.size() - offset) return false;
  out.bytes = data.subspan(offset, static_cast<std::size_t>(byteCount));
  return true;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

bool TPicture::LoadFromTaggedData(std::span<const std::uint8_t> data) noexcept {
  graphic_.reset();
  try {
    TaggedPicture tagged;
    if (!SplitTaggedData(data, tagged)) return false;
    const PictureFileFormat* format = FindByClassName(tagged.className);
    if (!format || !format->factory) return false;
    std::unique_ptr<TGraphic> graphic = format->factory();
    if (!graphic || !graphic->LoadFromBytes(tagged.bytes)) return false;
    graphic_ = std::move(graphic);
    return true;
  } catch (...) {
    // A factory that cannot build its graphic (out of memory, say) leaves the
    // picture empty like any other unusable data.
    graphic_.reset();
    return false;
  }
}

void TPicture::Clear() noexcept { graphic_.reset(); }

void TPicture::Draw(QPainter& painter, const QPoint& at) noexcept {
  if (graphic_) graphic_->Draw(painter, at);
}

void TPicture::RegisterFileFormat(std::string_view extension, std::string_view description,
                                  std::string_view className, GraphicFactory factory) {
  Registry().push_back(PictureFileFormat{std::string(extension), std::string(description),
                                         std::string(className), std::move(factory)});
}

void TPicture::UnregisterFileFormat(std::string_view className) {
  std::erase_if(Registry(),
                [&](const PictureFileFormat& format) { return format.className == className; });
}

std::vector<PictureFileFormat> TPicture::RegisteredFileFormats() { return Registry(); }

std::vector<std::uint8_t> TagPictureData(std::string_view className,
                                         std::span<const std::uint8_t> bytes) {
  if (className.size() > 255) throw std::length_error("picture class name longer than 255 bytes");
  if (bytes.size() > 0xFFFFFFFFu) throw std::length_error("picture data beyond 4 GiB");
  std::vector<std::uint8_t> out;
  out.reserve(1 + className.size() + 4 + bytes.size());
  out.push_back(static_cast<std::uint8_t>(className.size()));
  out.insert(out.end(), className.begin(), className.end());
  const auto count = static_cast<std::uint32_t>(bytes.size());
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(count >> shift));
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}
