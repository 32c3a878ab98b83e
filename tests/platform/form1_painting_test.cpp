// The main window as painted: the five-pixel band, the labels' own grounds,
// the credit box's outline with the labels over it, the strips of window
// colour beside the picture, the fields' ground.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/jpeg_decoder.h"
#include "platform/picture_formats.h"
#include "resources/embedded.h"
#include "ui/form1.h"

namespace {

class Form1Painting : public ::testing::Test {
 protected:
  void SetUp() override {
    image = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("KOTORINA_SAVE_GRAB")) image.save(qEnvironmentVariable("KOTORINA_SAVE_GRAB"));
  }

  // The control's rectangle in the window's picture.
  QRect InWindow(QWidget* control) const { return control->geometry().translated(form.ClientArea()->pos()); }
  QColor At(int x, int y) const { return image.pixelColor(x, y); }
  // How many pixels of the rectangle have exactly this colour.
  int Count(const QRect& area, const QColor& colour) const {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += At(x, y) == colour;
    return count;
  }
  int Area(const QRect& area) const { return area.width() * area.height(); }
  // Pixels of text: much darker than any ground (text is smoothed, so few are
  // pure black).
  int Dark(const QRect& area) const {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += At(x, y).lightness() < 96;
    return count;
  }

  TForm1 form{nullptr, 96};
  QImage image;
  const QColor face = clBtnFace.ToQColor();
};

TEST_F(Form1Painting, TheBandAroundTheControlsShowsTheWindowColour) {
  ASSERT_EQ(image.size(), form.size());
  const QRect all = image.rect();
  const QRect inner = all.adjusted(5, 5, -5, -5);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (inner.contains(x, y)) continue;
      ASSERT_EQ(At(x, y), face) << x << "," << y;
    }
  }
}

TEST_F(Form1Painting, LabelsFillTheirOwnRectanglesWithTheirColours) {
  const struct {
    TLabel* label;
    QColor ground;
  } cases[] = {{form.Label1, face},
               {form.Label4, face},
               {form.Label11, face},
               {form.Label7, clBtnHighlight.ToQColor()},
               {form.Label8, QColor(255, 251, 240)}};
  for (const auto& c : cases) {
    const QRect area = InWindow(c.label);
    SCOPED_TRACE(c.label->objectName().toStdString());
    // Mostly ground, with the caption's dark strokes on it.
    EXPECT_GT(Count(area, c.ground), Area(area) / 2);
    EXPECT_GT(Dark(area), Area(area) / 50);
    // The column just right of the label is no longer its ground (the credit
    // box's white, or the window colour).
    if (c.ground != face && c.ground != Qt::white) {
      EXPECT_EQ(Count(QRect(area.right() + 1, area.top(), 1, area.height()), c.ground), 0);
    }
  }
}

TEST_F(Form1Painting, TheCreditBoxIsWhiteInsideABlackOutlineUnderItsLabels) {
  const QRect box = InWindow(form.Shape1);
  for (int x = box.left(); x <= box.right(); ++x) {
    ASSERT_EQ(At(x, box.top()), Qt::black) << x;
    ASSERT_EQ(At(x, box.bottom()), Qt::black) << x;
  }
  for (int y = box.top(); y <= box.bottom(); ++y) {
    ASSERT_EQ(At(box.left(), y), Qt::black) << y;
    ASSERT_EQ(At(box.right(), y), Qt::black) << y;
  }
  // Only one pixel wide: white right inside it, away from the labels.
  const QRect inside = box.adjusted(1, 1, -1, -1);
  EXPECT_EQ(At(inside.right(), inside.center().y()), Qt::white);
  EXPECT_EQ(At(inside.center().x(), inside.top()), Qt::white);
  EXPECT_EQ(At(inside.left(), inside.bottom()), Qt::white);
  // The later labels are painted over the box, in their own colours.
  EXPECT_EQ(At(InWindow(form.Label8).left(), InWindow(form.Label8).top()), QColor(255, 251, 240));
}

TEST_F(Form1Painting, TheStripsBesideThePictureShowTheWindowColour) {
  const QRect box = InWindow(form.Image1);
  ASSERT_GE(box.width(), 105);
  const QRect right(box.left() + 100, box.top(), box.width() - 100, box.height());
  const QRect below(box.left(), box.top() + 100, box.width(), box.height() - 100);
  EXPECT_EQ(Count(right, face), Area(right));
  EXPECT_EQ(Count(below, face), Area(below));
}

// Built as at start-up, with the JPEG format registered: the logo, decoded
// from the window's own description, fills the top-left 100 x 100 of its box.
TEST(Form1Logo, ThePictureSitsUnscaledInTheTopLeftCornerOfItsBox) {
  RegisterPictureFormats();
  {
    TForm1 form{nullptr, 96};
    const QImage window = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage logo = platform::DecodeJpeg(LogoJpegFile(), 24).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(logo.size(), QSize(100, 100));
    const QPoint corner = form.Image1->geometry().translated(form.ClientArea()->pos()).topLeft();
    EXPECT_EQ(window.copy(QRect(corner, QSize(100, 100))), logo);
  }
  UnregisterPictureFormats();
}

TEST_F(Form1Painting, FieldsShowTheirGroundAndTheButtonItsCaption) {
  for (TEdit* edit : {form.Edit1, form.Edit6, form.Edit9}) {
    const QRect field = InWindow(edit);
    EXPECT_EQ(At(field.right() - 4, field.center().y()), clWindow.ToQColor()) << edit->objectName().toStdString();
  }
  const QRect button = InWindow(form.Button1);
  EXPECT_GT(Dark(button.adjusted(3, 3, -3, -3)), 20);
}

}  // namespace
