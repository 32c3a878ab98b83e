#pragma once
// Pictures: a graphic of some registered kind, and the picture that holds one.
//
// A form's description stores a picture in its tagged form: one byte giving
// the length of the graphic's class name, the class name itself, then the
// graphic's own data, which for every kind here is a 32-bit little-endian
// byte count followed by that many bytes of the picture file. The class name
// is looked up among the picture formats registered at start-up, so a form
// can name a kind this build does not know and still be built: the picture
// just stays empty.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QPoint;

// A picture of one kind (a JPEG image, ...). Loading never throws: data the
// graphic cannot use leaves it empty.
class TGraphic {
 public:
  virtual ~TGraphic() = default;

  // Takes the picture file's bytes; false, and empty, if they are unusable.
  virtual bool LoadFromBytes(std::span<const std::uint8_t> bytes) noexcept = 0;
  // Nothing to draw: never loaded, or the data proved unusable.
  virtual bool Empty() const noexcept = 0;
  // The picture's own size in pixels; 0 x 0 when empty.
  virtual int Width() const noexcept = 0;
  virtual int Height() const noexcept = 0;
  // Draws the picture unscaled with its top-left corner at `at`. Drawing an
  // empty graphic draws nothing.
  virtual void Draw(QPainter& painter, const QPoint& at) noexcept = 0;
};

using GraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// One registered picture format.
struct PictureFileFormat {
  std::string extension;    // file extension without the dot, e.g. "jpg"
  std::string description;  // UTF-8, shown in file dialogs
  std::string className;    // the name stored in the tagged form
  GraphicFactory factory;
};

class TPicture {
 public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Replaces the picture with the one in `data` (the tagged form above).
  // A truncated tag, a byte count beyond the data, an unregistered class
  // name or unusable picture bytes leave the picture empty and return false.
  // Bytes after the picture's data are ignored.
  bool LoadFromTaggedData(std::span<const std::uint8_t> data) noexcept;
  void Clear() noexcept;

  // The graphic held, or nullptr when the picture is empty.
  TGraphic* Graphic() const noexcept { return graphic_.get(); }
  bool Empty() const noexcept { return !graphic_ || graphic_->Empty(); }
  int Width() const noexcept { return graphic_ ? graphic_->Width() : 0; }
  int Height() const noexcept { return graphic_ ? graphic_->Height() : 0; }
  void Draw(QPainter& painter, const QPoint& at) noexcept;

  // The process-wide registry of picture formats. A class may be registered
  // under several extensions (one call each); unregistering the class name
  // removes all of them. Pictures already loaded keep their graphics.
  static void RegisterFileFormat(std::string_view extension, std::string_view description,
                                 std::string_view className, GraphicFactory factory);
  static void UnregisterFileFormat(std::string_view className);
  // The registered formats, in the order of registration.
  static std::vector<PictureFileFormat> RegisteredFileFormats();

 private:
  std::unique_ptr<TGraphic> graphic_;
};

// Makes the tagged form of a picture: the class name's length byte, the
// name, the byte count (32-bit little-endian), the bytes. Throws
// std::length_error for a class name longer than 255 bytes or bytes beyond
// 4 GiB, neither of which the form can hold.
std::vector<std::uint8_t> TagPictureData(std::string_view className,
                                         std::span<const std::uint8_t> bytes);
