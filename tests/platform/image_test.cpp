// TImage as the main window shows it: the logo in the top-left corner of a
// 105 x 105 box, the window colour in the strips the picture leaves free.
#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "platform/image.h"
#include "platform/jpeg_image.h"
#include "platform/picture_formats.h"
#include "resources/embedded.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A colour no logo pixel has, so that any pixel of it is the window's.
const QColor kWindowColour(200, 120, 210);

class ImageBox : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPictureFormats();
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kWindowColour);
    window.setPalette(palette);
    window.resize(200, 200);
    image = new TImage(&window);
    image->setGeometry(0, 0, 105, 105);
  }
  void TearDown() override { UnregisterPictureFormats(); }

  QImage Render() {
    QImage target(image->size(), QImage::Format_RGB32);
    target.fill(Qt::black);
    image->render(&target);
    return target;
  }

  static bool IsWindowColour(const QImage& img, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (img.pixelColor(x, y) != kWindowColour) {
          ADD_FAILURE() << "pixel " << x << "," << y << " is "
                        << img.pixelColor(x, y).name().toStdString();
          return false;
        }
      }
    }
    return true;
  }

  QWidget window;
  TImage* image = nullptr;
};

TEST_F(ImageBox, ShowsTheLogoUnscaledAtTopLeftWithWindowColouredStrips) {
  image->LoadPictureFromTaggedData(TagPictureData("TJPEGImage", LogoJpegFile()));
  const QImage shown = Render();

  auto* jpeg = dynamic_cast<TJPEGImage*>(image->Picture().Graphic());
  ASSERT_NE(jpeg, nullptr);
  const QImage logo = jpeg->Bitmap().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(logo.size(), QSize(100, 100));
  EXPECT_EQ(shown.copy(0, 0, 100, 100), logo) << "pixel for pixel the decoded logo";

  EXPECT_TRUE(IsWindowColour(shown, QRect(100, 0, 5, 105))) << "strip on the right";
  EXPECT_TRUE(IsWindowColour(shown, QRect(0, 100, 105, 5))) << "strip below";
}

TEST_F(ImageBox, RepaintsReuseTheDecodedLogo) {
  image->LoadPictureFromTaggedData(TagPictureData("TJPEGImage", LogoJpegFile()));
  auto* jpeg = dynamic_cast<TJPEGImage*>(image->Picture().Graphic());
  ASSERT_NE(jpeg, nullptr);
  const QImage first = Render();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Render(), first);
  EXPECT_EQ(jpeg->DecodeCount(), 1);
}

TEST_F(ImageBox, UnusablePicturesLeaveTheBoxInTheWindowColour) {
  const auto logo = LogoJpegFile();
  Bytes flipped(logo.begin(), logo.end());
  flipped[1] ^= 0xFF;  // no SOI
  const std::vector<Bytes> pictures = {
      TagPictureData("TPngImage", logo),
      TagPictureData("TJPEGImage", Bytes(logo.begin(), logo.begin() + logo.size() / 3)),
      TagPictureData("TJPEGImage", flipped),
      Bytes{10, 'T', 'J', 'P'},
  };
  for (const Bytes& data : pictures) {
    image->LoadPictureFromTaggedData(data);
    EXPECT_TRUE(IsWindowColour(Render(), image->rect()));
    EXPECT_TRUE(image->Picture().Empty());
  }
}

TEST_F(ImageBox, LoadingAnotherPictureReplacesTheOneShown) {
  image->LoadPictureFromTaggedData(TagPictureData("TJPEGImage", LogoJpegFile()));
  EXPECT_NE(Render().pixelColor(50, 62), kWindowColour);
  image->LoadPictureFromTaggedData(TagPictureData("TUnknown", LogoJpegFile()));
  EXPECT_TRUE(IsWindowColour(Render(), image->rect()));
}

}  // namespace
