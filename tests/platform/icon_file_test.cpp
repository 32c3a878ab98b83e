#include "platform/icon_file.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <set>
#include <vector>

#include "resources/embedded.h"

namespace {

// The standard 16-colour palette: every opaque pixel of the icon is one of them.
const std::set<QRgb> kStandardColours = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

TEST(MainIconTest, IsOne32By32SixteenColourImageWithMask) {
  const auto file = MainIconFile();
  ASSERT_EQ(file.size(), 6u + 16u + 744u);
  // One image: 32 x 32, 16 colours, 4 bits per pixel, 744 bytes.
  EXPECT_EQ(file[4] | (file[5] << 8), 1);
  EXPECT_EQ(file[6], 32);
  EXPECT_EQ(file[7], 32);
  EXPECT_EQ(file[8], 16);
  EXPECT_EQ(file[12] | (file[13] << 8), 4);
  EXPECT_EQ(file[14] | (file[15] << 8) | (file[16] << 16), 744);

  const QImage icon = platform::DecodeIconFile(file);
  ASSERT_EQ(icon.size(), QSize(32, 32));
  int transparent = 0, opaque = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb pixel = icon.pixel(x, y);
      if (qAlpha(pixel) == 0) {
        ++transparent;
      } else {
        ++opaque;
        EXPECT_EQ(qAlpha(pixel), 255);
        EXPECT_TRUE(kStandardColours.count(pixel)) << x << "," << y << " " << std::hex << pixel;
      }
    }
  }
  EXPECT_GT(transparent, 0);  // the mask is used
  EXPECT_GT(opaque, 32 * 32 / 3);
}

TEST(MainIconTest, DecodesAsQtsOwnIconReaderDoes) {
  const auto file = MainIconFile();
  QByteArray bytes(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "ico");
  const QImage reference = reader.read();
  if (reference.isNull()) GTEST_SKIP() << "Qt's ico reader is not installed";
  const QImage ours = platform::DecodeIconFile(file);
  const QImage theirs = reference.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(ours.size(), theirs.size());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb a = ours.pixel(x, y), b = theirs.pixel(x, y);
      if (qAlpha(a) == 0 && qAlpha(b) == 0) continue;
      EXPECT_EQ(a, b) << x << "," << y;
    }
  }
}

TEST(IconFileTest, MalformedDataGivesNoImage) {
  const auto file = MainIconFile();
  std::vector<std::uint8_t> bytes(file.begin(), file.end());
  // Every truncation fails cleanly.
  for (std::size_t length : {0u, 5u, 21u, 22u, 61u, 700u, 765u}) {
    EXPECT_TRUE(platform::DecodeIconFile(std::span(bytes.data(), length)).isNull()) << length;
  }
  // An image offset beyond the file, a zero count, a cursor type.
  auto broken = bytes;
  broken[18] = 0xFF;
  EXPECT_TRUE(platform::DecodeIconFile(broken).isNull());
  broken = bytes;
  broken[4] = 0;
  EXPECT_TRUE(platform::DecodeIconFile(broken).isNull());
  broken = bytes;
  broken[2] = 2;
  EXPECT_TRUE(platform::DecodeIconFile(broken).isNull());
}

}  // namespace
