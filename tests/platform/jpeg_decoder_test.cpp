// Decoding JPEG data with libjpeg: the logo comes out as drawn, and damaged
// data of every kind fails cleanly inside this process instead of ending it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/jpeg_decoder.h"
#include "resources/embedded.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Logo() {
  const auto file = LogoJpegFile();
  return Bytes(file.begin(), file.end());
}

// Offset of the first byte after the SOS segment: the entropy-coded data.
std::size_t ScanDataOffset(const Bytes& file) {
  std::size_t at = 2;
  while (at + 4 <= file.size()) {
    const std::size_t length = file[at + 2] << 8 | file[at + 3];
    if (file[at + 1] == 0xDA) return at + 2 + length;
    at += 2 + length;
  }
  return file.size();
}

std::size_t SofOffset(const Bytes& file) {
  for (std::size_t at = 0; at + 1 < file.size(); ++at) {
    if (file[at] == 0xFF && file[at + 1] == 0xC0) return at;
  }
  return file.size();
}

bool IsPaleGrey(QColor c) {
  return c.red() >= 190 && c.red() <= 225 && std::abs(c.red() - c.green()) <= 8 &&
         std::abs(c.red() - c.blue()) <= 8;
}
bool IsParrotGreen(QColor c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 80; }
bool IsPink(QColor c) { return c.red() > 225 && c.red() > c.green() + 50 && c.blue() > c.green(); }

TEST(JpegDecoder, ReadsTheLogoHeader) {
  const auto header = platform::ReadJpegHeader(LogoJpegFile());
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->width, 100);
  EXPECT_EQ(header->height, 100);
  EXPECT_EQ(header->components, 3);
}

TEST(JpegDecoder, DecodesTheLogoIn24BitColour) {
  const QImage image = platform::DecodeJpeg(LogoJpegFile(), 32);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(100, 100));
  EXPECT_EQ(image.format(), QImage::Format_RGB888);
  for (QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99)}) {
    EXPECT_TRUE(IsPaleGrey(image.pixelColor(corner))) << corner.x() << "," << corner.y() << " "
                                                       << image.pixelColor(corner).name().toStdString();
  }
  EXPECT_TRUE(IsParrotGreen(image.pixelColor(50, 62))) << "breast";
  EXPECT_TRUE(IsParrotGreen(image.pixelColor(66, 60))) << "wing";
  EXPECT_TRUE(IsPink(image.pixelColor(36, 38))) << "face";
}

TEST(JpegDecoder, QuantisesToAt236ColoursOnAn8BitDisplay) {
  for (int depth : {8, 4, 1}) {
    const QImage image = platform::DecodeJpeg(LogoJpegFile(), depth);
    ASSERT_FALSE(image.isNull()) << depth;
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.size(), QSize(100, 100));
    EXPECT_LE(image.colorCount(), 236);
    EXPECT_GT(image.colorCount(), 16) << "a palette fitted to the picture, not a handful of greys";
    QSet<int> used;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) used.insert(image.pixelIndex(x, y));
    }
    EXPECT_LE(used.size(), 236);
    EXPECT_TRUE(IsPaleGrey(image.pixelColor(0, 0)));
    EXPECT_TRUE(IsParrotGreen(image.pixelColor(66, 60)));
  }
  EXPECT_EQ(platform::DecodeJpeg(LogoJpegFile(), 16).format(), QImage::Format_RGB888);
}

// Every kind of damage below must come back as a failure or a picture of the
// promised size, never a crash, an exit or a hang. Cut-short data and data
// whose damage libjpeg notices (it warns or fails) must fail outright.
struct Damage {
  std::string name;
  std::function<Bytes()> make;
  bool mustFail;
};

std::vector<Damage> Damages() {
  const Bytes logo = Logo();
  const std::size_t scan = ScanDataOffset(logo);
  const std::size_t sof = SofOffset(logo);
  auto truncated = [logo](std::size_t n) { return [logo, n] { return Bytes(logo.begin(), logo.begin() + n); }; };
  auto patched = [logo](std::size_t at, std::uint8_t value) {
    return [logo, at, value] {
      Bytes b = logo;
      b[at] = value;
      return b;
    };
  };
  auto flipped = [logo](std::size_t at) {
    return [logo, at] {
      Bytes b = logo;
      b[at] ^= 0xFF;
      return b;
    };
  };
  std::vector<Damage> d = {
      {"empty", [] { return Bytes(); }, true},
      {"one byte", truncated(1), true},
      {"only SOI", truncated(2), true},
      {"cut inside JFIF", truncated(12), true},
      {"cut inside the tables", truncated(200), true},
      {"cut at the scan data", truncated(scan), true},
      {"cut one row in", truncated(scan + 300), true},
      {"cut in the middle", truncated(logo.size() / 2), true},
      {"cut before EOI", truncated(logo.size() - 2), true},
      {"SOI destroyed", patched(1, 0x00), true},
      {"SOF marker destroyed", patched(sof + 1, 0x00), true},
      {"height zero", [logo, sof] { Bytes b = logo; b[sof + 5] = 0; b[sof + 6] = 0; return b; }, true},
      {"width 60000 x height 60000",
       [logo, sof] { Bytes b = logo; b[sof + 5] = 0xEA; b[sof + 6] = 0x60; b[sof + 7] = 0xEA; b[sof + 8] = 0x60; return b; },
       true},
      {"12-bit samples", patched(sof + 4, 12), true},
      {"component count 9", patched(sof + 9, 9), true},
      {"sampling 4 x 4", patched(sof + 11, 0x44), false},
      {"quantisation table flipped", flipped(30), false},
      {"Huffman table flipped", flipped(scan - 100), false},
      {"scan data flipped early", flipped(scan + 5), false},
      {"scan data flipped late", flipped(logo.size() - 40), false},
      {"restart marker destroyed", [logo, scan] {
         Bytes b = logo;
         for (std::size_t i = scan; i + 1 < b.size(); ++i) {
           if (b[i] == 0xFF && b[i + 1] == 0xD3) { b[i + 1] = 0x00; break; }
         }
         return b;
       }, true},
      {"all 0xFF", [] { return Bytes(4000, 0xFF); }, true},
      {"SOI then zeros", [] { Bytes b(4000, 0); b[0] = 0xFF; b[1] = 0xD8; return b; }, true},
  };
  std::mt19937 random(4);
  for (int i = 0; i < 4; ++i) {
    Bytes garbage(1000 + 1500 * i);
    for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
    d.push_back({"random garbage " + std::to_string(i), [garbage] { return garbage; }, true});
    Bytes noisy = logo;
    for (int k = 0; k < 20; ++k) noisy[scan + random() % (noisy.size() - scan)] = static_cast<std::uint8_t>(random());
    d.push_back({"scan data scrambled " + std::to_string(i), [noisy] { return noisy; }, false});
  }
  return d;
}

TEST(JpegDecoder, DamagedDataFailsInsideTheProcess) {
  for (const Damage& damage : Damages()) {
    SCOPED_TRACE(damage.name);
    const Bytes bytes = damage.make();
    const auto header = platform::ReadJpegHeader(bytes);
    for (int depth : {32, 8}) {
      const QImage image = platform::DecodeJpeg(bytes, depth);
      if (damage.mustFail) {
        EXPECT_TRUE(image.isNull()) << "depth " << depth;
      }
      if (!image.isNull()) {
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(image.width(), header->width);
        EXPECT_EQ(image.height(), header->height);
      }
    }
  }
}

// Every byte of the logo in turn, set to 0x00, 0xFF or its own complement:
// each copy fails or decodes to the size its headers give.
TEST(JpegDecoder, NoSingleDamagedByteEscapesTheErrorHandling) {
  const Bytes logo = Logo();
  int decoded = 0, failed = 0;
  for (std::size_t at = 0; at < logo.size(); ++at) {
    for (int kind = 0; kind < 3; ++kind) {
      Bytes b = logo;
      b[at] = kind == 0 ? 0x00 : kind == 1 ? 0xFF : static_cast<std::uint8_t>(~b[at]);
      const QImage image = platform::DecodeJpeg(b, 32);
      if (image.isNull()) {
        ++failed;
        continue;
      }
      ++decoded;
      const auto header = platform::ReadJpegHeader(b);
      ASSERT_TRUE(header.has_value()) << "byte " << at;
      ASSERT_EQ(image.size(), QSize(header->width, header->height)) << "byte " << at;
    }
  }
  // Damage in the headers and at restart markers is caught; a changed bit
  // of picture data mostly only changes colours.
  EXPECT_GT(failed, 0);
  EXPECT_GT(decoded, 0);
}

}  // namespace
