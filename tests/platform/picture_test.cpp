// TPicture: the tagged form, the registry of formats, and the JPEG graphic
// decoding once and only when drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/jpeg_image.h"
#include "platform/picture.h"
#include "platform/picture_formats.h"
#include "resources/embedded.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TaggedLogo() { return TagPictureData("TJPEGImage", LogoJpegFile()); }

// Each test starts with the formats the program registers at start-up and
// leaves the registry empty again.
class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterPictureFormats(); }
  void TearDown() override { UnregisterPictureFormats(); }
};

void DrawOnce(TPicture& picture) {
  QImage target(120, 120, QImage::Format_RGB32);
  QPainter painter(&target);
  picture.Draw(painter, QPoint(0, 0));
}

TEST(TagPictureData, WritesLengthByteNameLittleEndianCountAndBytes) {
  const Bytes bytes = {0xAA, 0xBB, 0xCC};
  const Bytes tagged = TagPictureData("TJPEGImage", bytes);
  const Bytes expected = {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 3, 0, 0, 0, 0xAA, 0xBB, 0xCC};
  EXPECT_EQ(tagged, expected);

  const Bytes logo = TaggedLogo();
  const std::size_t n = LogoJpegFile().size();
  ASSERT_GT(n, 256u);
  EXPECT_EQ(logo[11], n & 0xFF);
  EXPECT_EQ(logo[12], (n >> 8) & 0xFF);
  EXPECT_EQ(logo[13], (n >> 16) & 0xFF);
  EXPECT_EQ(logo[14], 0);
  EXPECT_EQ(logo.size(), 15 + n);

  EXPECT_THROW(TagPictureData(std::string(256, 'T'), bytes), std::length_error);
}

TEST_F(PictureTest, RegistersJpegUnderBothExtensions) {
  const auto formats = TPicture::RegisteredFileFormats();
  ASSERT_EQ(formats.size(), 2u);
  EXPECT_EQ(formats[0].extension, "jpeg");
  EXPECT_EQ(formats[1].extension, "jpg");
  for (const auto& f : formats) {
    EXPECT_EQ(f.className, "TJPEGImage");
    EXPECT_EQ(f.description, "JPEG イメージファイル");
    ASSERT_TRUE(f.factory);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(f.factory().get()), nullptr);
  }
  RegisterPictureFormats();
  EXPECT_EQ(TPicture::RegisteredFileFormats().size(), 2u) << "registering again lists nothing twice";
}

TEST_F(PictureTest, UnregisteringRemovesTheFormatButNotLoadedPictures) {
  TPicture loaded;
  ASSERT_TRUE(loaded.LoadFromTaggedData(TaggedLogo()));

  UnregisterPictureFormats();
  EXPECT_TRUE(TPicture::RegisteredFileFormats().empty());
  TPicture later;
  EXPECT_FALSE(later.LoadFromTaggedData(TaggedLogo()));
  EXPECT_TRUE(later.Empty());
  EXPECT_EQ(later.Graphic(), nullptr);

  EXPECT_FALSE(loaded.Empty());
  EXPECT_EQ(loaded.Width(), 100);
}

TEST_F(PictureTest, LoadsTheTaggedLogo) {
  TPicture picture;
  ASSERT_TRUE(picture.LoadFromTaggedData(TaggedLogo()));
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), 100);
  EXPECT_EQ(picture.Height(), 100);
  auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_TRUE(std::equal(jpeg->Bytes().begin(), jpeg->Bytes().end(), LogoJpegFile().begin(),
                         LogoJpegFile().end()));

  Bytes trailing = TaggedLogo();
  trailing.push_back(0x00);
  EXPECT_TRUE(picture.LoadFromTaggedData(trailing)) << "bytes after the picture are ignored";
}

TEST_F(PictureTest, UnusableTaggedDataLeavesThePictureEmpty) {
  const Bytes logo = TaggedLogo();
  auto with = [&](auto change) {
    Bytes b = logo;
    change(b);
    return b;
  };
  const struct {
    const char* name;
    Bytes data;
  } cases[] = {
      {"nothing", {}},
      {"empty class name", with([](Bytes& b) { b[0] = 0; })},
      {"name cut short", Bytes(logo.begin(), logo.begin() + 6)},
      {"count cut short", Bytes(logo.begin(), logo.begin() + 13)},
      {"count one beyond the data", Bytes(logo.begin(), logo.end() - 1)},
      {"count 0xFFFFFFFF", with([](Bytes& b) { b[11] = b[12] = b[13] = b[14] = 0xFF; })},
      {"unregistered class", TagPictureData("TGIFImage", LogoJpegFile())},
      {"class name in other case", TagPictureData("TJpegImage", LogoJpegFile())},
      {"name length beyond the name", with([](Bytes& b) { b[0] = 11; })},
      {"registered class, no picture", TagPictureData("TJPEGImage", {})},
      {"registered class, garbage", TagPictureData("TJPEGImage", Bytes(500, 0x42))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPicture picture;
    ASSERT_TRUE(picture.LoadFromTaggedData(logo));
    EXPECT_FALSE(picture.LoadFromTaggedData(c.data)) << "replaces the picture held before";
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    DrawOnce(picture);
  }
}

TEST_F(PictureTest, DecodesOnFirstDrawAndReusesTheBitmap) {
  TPicture picture;
  ASSERT_TRUE(picture.LoadFromTaggedData(TaggedLogo()));
  auto& jpeg = dynamic_cast<TJPEGImage&>(*picture.Graphic());
  EXPECT_EQ(jpeg.DecodeCount(), 0) << "loading reads only the headers";

  DrawOnce(picture);
  EXPECT_EQ(jpeg.DecodeCount(), 1);
  const qint64 bitmap = jpeg.Bitmap().cacheKey();
  for (int i = 0; i < 5; ++i) DrawOnce(picture);
  EXPECT_EQ(jpeg.DecodeCount(), 1);
  EXPECT_EQ(jpeg.Bitmap().cacheKey(), bitmap) << "the same bitmap, not a fresh decode";
  EXPECT_EQ(jpeg.Bitmap().size(), QSize(100, 100));
}

TEST_F(PictureTest, DamageFoundOnFirstDrawEmptiesThePictureForGood) {
  // Headers intact, the data cut off in the middle of the scan: loading
  // succeeds, drawing finds the damage.
  const auto logo = LogoJpegFile();
  const Bytes cut(logo.begin(), logo.begin() + logo.size() / 2);
  TPicture picture;
  ASSERT_TRUE(picture.LoadFromTaggedData(TagPictureData("TJPEGImage", cut)));
  EXPECT_EQ(picture.Width(), 100);

  auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
  ASSERT_NE(jpeg, nullptr);
  for (int i = 0; i < 3; ++i) DrawOnce(picture);
  EXPECT_EQ(jpeg->DecodeCount(), 1) << "a failed decoding is not retried on every repaint";
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_TRUE(jpeg->Bitmap().isNull());
}

}  // namespace
