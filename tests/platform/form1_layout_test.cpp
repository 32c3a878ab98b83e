// The main window as built, against its designed tables: the client area,
// every control's bounds, texts, colours and spoken names, at the design
// density and at 120 pixels per inch; its fixed size.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include "platform/font.h"
#include "ui/form1.h"

namespace {

struct Designed {
  const char* name;
  int left, top, width, height;
  const char* text;
  const char* spokenName;
};

// The window's controls as designed, at 96 pixels per inch with characters
// 12 pixels high.
constexpr Designed kDesigned[] = {
    {"Image1", 0, 0, 105, 105, nullptr, ""},
    {"Label1", 120, 8, 39, 12, "Score 1", ""},
    {"Label2", 120, 40, 39, 12, "Score 2", ""},
    {"Label3", 120, 72, 39, 12, "Score 3", ""},
    {"Label4", 240, 8, 24, 12, "Rate", ""},
    {"Label5", 240, 40, 24, 12, "Rate", ""},
    {"Label6", 240, 72, 24, 12, "Rate", ""},
    {"Shape1", 168, 96, 257, 41, nullptr, ""},
    {"Label7", 176, 104, 94, 12, "コトリナソフト", ""},
    {"Label8", 176, 120, 185, 12, "http://www.kotorina.example/", ""},
    {"Label9", 344, 8, 28, 12, "Slope", ""},
    {"Label10", 344, 40, 28, 12, "Slope", ""},
    {"Label11", 344, 72, 28, 12, "Slope", ""},
    {"Edit1", 168, 0, 49, 20, "Score1", "Score 1"},
    {"Edit2", 168, 32, 49, 20, "Score2", "Score 2"},
    {"Button1", 0, 112, 105, 25, "簡易 HC の計算", ""},
    {"Edit3", 168, 64, 49, 20, "Score3", "Score 3"},
    {"Edit4", 272, 0, 49, 20, "72", "Rate 1"},
    {"Edit5", 272, 32, 49, 20, "72", "Rate 2"},
    {"Edit6", 272, 64, 49, 20, "72", "Rate 3"},
    {"Edit7", 376, 0, 49, 20, "113", "Slope 1"},
    {"Edit8", 376, 32, 49, 20, "113", "Slope 2"},
    {"Edit9", 376, 64, 49, 20, "113", "Slope 3"},
};

int Round(double value) { return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5); }

// Where a control must be: its designed edges scaled by the height of "0"
// over 12; a label as large as its caption, an entry field one line of text
// plus eight pixels high.
QRect Expected(const Designed& control, const QFont& font) {
  const QFontMetrics metrics(font);
  const double scale = metrics.height() / 12.0;
  const int left = Round(control.left * scale);
  const int top = Round(control.top * scale);
  QRect bounds(left, top, Round((control.left + control.width) * scale) - left,
               Round((control.top + control.height) * scale) - top);
  const QString name = control.name;
  if (name.startsWith("Label")) bounds.setSize({metrics.horizontalAdvance(QString::fromUtf8(control.text)), metrics.height()});
  if (name.startsWith("Edit")) bounds.setHeight(metrics.height() + 8);
  return bounds;
}

QString TextOf(QWidget* control) {
  if (auto* label = qobject_cast<TLabel*>(control)) return label->Caption();
  if (auto* edit = qobject_cast<TEdit*>(control)) return edit->Text();
  if (auto* button = qobject_cast<TButton*>(control)) return button->Caption();
  return {};
}

class Form1Layout : public ::testing::TestWithParam<int> {};

TEST_P(Form1Layout, ControlsStandWhereTheTableAndTheFontPutThem) {
  const int pixelsPerInch = GetParam();
  TForm1 form(nullptr, pixelsPerInch);
  ASSERT_EQ(form.Controls().size(), std::size(kDesigned));

  // The font follows the density first: -12 at 96, -15 at 120.
  EXPECT_EQ(form.font().pixelSize(), pixelsPerInch * 12 / 96);
  QRect extents;
  for (std::size_t i = 0; i < std::size(kDesigned); ++i) {
    const Designed& designed = kDesigned[i];
    QWidget* control = form.Controls()[i];
    SCOPED_TRACE(designed.name);
    EXPECT_EQ(control->objectName(), designed.name);
    EXPECT_EQ(control->font(), form.font());
    EXPECT_EQ(control->geometry(), Expected(designed, form.font()));
    if (designed.text) {
      EXPECT_EQ(TextOf(control), QString::fromUtf8(designed.text));
    }
    if (*designed.spokenName) {
      EXPECT_EQ(control->accessibleName(), QString::fromUtf8(designed.spokenName));
    }
    extents |= control->geometry();
  }
  // The client area is the extents in a band of five pixels.
  EXPECT_EQ(extents.topLeft(), QPoint(0, 0));
  EXPECT_EQ(form.ClientArea()->geometry(), QRect(QPoint(5, 5), extents.size()));
  EXPECT_EQ(form.size(), extents.size() + QSize(10, 10));
  if (QFontMetrics(form.font()).height() == 12 && pixelsPerInch == 96) {
    EXPECT_EQ(form.size(), QSize(435, 147));
  }
}

INSTANTIATE_TEST_SUITE_P(Densities, Form1Layout, ::testing::Values(96, 120),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

TEST(Form1Window, HasItsCaptionPositionFontAndFrame) {
  TForm1 form(nullptr, 96);
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("コトリナくん"));
  EXPECT_EQ(form.pos(), QPoint(193, 104));
  EXPECT_EQ(form.font().pixelSize(), 12);
  // The designed font, or where it is missing the gothic that keeps its
  // metrics: either way one that shows Japanese.
  const QString family = QFontInfo(form.font()).family();
  EXPECT_TRUE(family == QString::fromUtf8("ＭＳ Ｐゴシック") || family == "IPAPGothic") << family.toStdString();
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowSystemMenuHint);
}

TEST(Form1Window, ControlsTakeTheirColours) {
  TForm1 form(nullptr, 96);
  const QColor face = clBtnFace.ToQColor();
  EXPECT_EQ(form.palette().color(QPalette::Window), face);
  EXPECT_EQ(form.Label1->palette().color(QPalette::Window), face);
  EXPECT_EQ(form.Label9->palette().color(QPalette::Window), face);
  EXPECT_EQ(form.Label7->palette().color(QPalette::Window), clBtnHighlight.ToQColor());
  EXPECT_EQ(form.Label8->palette().color(QPalette::Window), QColor(255, 251, 240));
  for (TEdit* edit : {form.Edit1, form.Edit5, form.Edit9}) {
    EXPECT_EQ(edit->palette().color(QPalette::Base), clWindow.ToQColor());
    EXPECT_EQ(edit->palette().color(QPalette::Text), clWindowText.ToQColor());
  }
  EXPECT_EQ(form.Label1->palette().color(QPalette::WindowText), clWindowText.ToQColor());
}

TEST(Form1Window, HandlerAndFieldsAreBound) {
  TForm1 form(nullptr, 96);
  EXPECT_EQ(form.Edit1, form.FindControl("Edit1"));
  EXPECT_EQ(form.Edit9, form.FindControl("Edit9"));
  EXPECT_EQ(form.Button1, form.FindControl("Button1"));
  EXPECT_FALSE(form.Button1->isDefault());
  EXPECT_FALSE(form.Button1->autoDefault());
  form.Button1->click();  // the empty command for now: nothing breaks
}

class Form1Shown : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    designed = form.size();
  }
  TForm1 form{nullptr, 96};
  QSize designed;
};

TEST_F(Form1Shown, RefusesEveryOtherSize) {
  form.resize(designed + QSize(100, 60));
  QCoreApplication::processEvents();
  EXPECT_EQ(form.size(), designed);
  form.resize(designed - QSize(100, 60));
  QCoreApplication::processEvents();
  EXPECT_EQ(form.size(), designed);
}

// Qt's offscreen platform, unlike a window manager, ignores the size hints
// and forces the screen's size on a maximised window: the window takes its
// own size back at once.
TEST_F(Form1Shown, MaximisedKeepsItsSize) {
  form.showMaximized();
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.size() == designed; }, 2000)) << form.width() << "x" << form.height();
  QTest::qWait(50);
  EXPECT_EQ(form.size(), designed);
  form.showNormal();
  QTest::qWait(50);
  EXPECT_EQ(form.size(), designed);
}

TEST_F(Form1Shown, GrowsWithALabelThatPassesTheRightEdge) {
  const QString longer = QString::fromUtf8("http://www.kotorina.example/a/much/longer/address/than/designed/");
  form.Label8->SetCaption(longer);
  QCoreApplication::processEvents();
  const QRect label = form.Label8->geometry();
  EXPECT_EQ(label.width(), QFontMetrics(form.font()).horizontalAdvance(longer));
  ASSERT_GT(label.right() + 1, form.Shape1->geometry().right() + 1);
  EXPECT_EQ(form.size(), QSize(label.right() + 1 + 10, designed.height()));
  // And shrinks back with it.
  form.Label8->SetCaption("http://www.kotorina.example/");
  QCoreApplication::processEvents();
  EXPECT_EQ(form.size(), designed);
}

}  // namespace
