// The entry field on its own: no length limit, its height from the font, the
// whole text selected on every way in but a left press and a return of the
// window, and a selection that shows only while it has the focus.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include "platform/edit.h"

namespace {

TEST(Edit, KeepsTextFarBeyondQtsDefaultLimit) {
  QWidget window;
  TEdit edit(&window);
  const QString longText(100000, QChar('7'));
  edit.SetText(longText);
  EXPECT_EQ(edit.Text().size(), 100000);
  edit.end(false);
  edit.insert(QString(40000, QChar('1')));
  EXPECT_EQ(edit.Text().size(), 140000);
}

TEST(Edit, HeightIsOneLineOfItsFontPlusEight) {
  QWidget window;
  QFont font("IPAPGothic");
  for (const int pixels : {12, 15, 24}) {
    font.setPixelSize(pixels);
    window.setFont(font);
    TEdit edit(&window);
    EXPECT_EQ(edit.height(), QFontMetrics(font).height() + 8) << pixels;
    font.setPixelSize(pixels + 6);
    edit.setFont(font);
    EXPECT_EQ(edit.height(), QFontMetrics(font).height() + 8) << pixels + 6;
  }
}

TEST(Edit, SelectsAllOnEveryWayInButALeftPressOrTheWindowsReturn) {
  const struct {
    Qt::FocusReason reason;
    bool selectsAll;
  } cases[] = {
      {Qt::TabFocusReason, true},           {Qt::BacktabFocusReason, true}, {Qt::ShortcutFocusReason, true},
      {Qt::OtherFocusReason, true},         {Qt::ActiveWindowFocusReason, false},
      {Qt::PopupFocusReason, false},
  };
  for (const auto& c : cases) {
    QWidget window;
    TEdit edit(&window);
    edit.SetText("Score1");
    edit.setCursorPosition(2);
    QFocusEvent in(QEvent::FocusIn, c.reason);
    QApplication::sendEvent(&edit, &in);
    EXPECT_EQ(edit.selectedText(), c.selectsAll ? "Score1" : "") << c.reason;
    EXPECT_EQ(edit.cursorPosition(), c.selectsAll ? 6 : 2) << c.reason;
  }
}

TEST(Edit, EnterAndEscAreTakenAndChangeNothing) {
  QWidget window;
  TEdit edit(&window);
  edit.SetText("72");
  int returns = 0;
  QObject::connect(&edit, &QLineEdit::returnPressed, [&] { ++returns; });
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    press.ignore();
    QApplication::sendEvent(&edit, &press);
    EXPECT_TRUE(press.isAccepted()) << key;
  }
  EXPECT_EQ(edit.Text(), "72");
  EXPECT_EQ(returns, 0);
}

// The selection's colour in the field as painted.
int HighlightedPixels(TEdit& edit) {
  const QImage image = edit.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == highlight;
  return count;
}

TEST(Edit, ShowsItsSelectionOnlyWhileFocused) {
  QWidget window;
  TEdit edit(&window);
  TEdit other(&window);
  other.move(0, 40);
  edit.SetText("Score1");
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  other.setFocus(Qt::TabFocusReason);
  edit.setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(edit.hasSelectedText());
  EXPECT_GT(HighlightedPixels(edit), 50);

  // The window loses the focus to another one (a dialog): the field keeps its
  // selection for its return but does not show it meanwhile.
  QWidget dialog;
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_TRUE(edit.hasSelectedText());
  EXPECT_EQ(HighlightedPixels(edit), 0);

  dialog.close();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_TRUE(edit.hasFocus());
  EXPECT_GT(HighlightedPixels(edit), 50);

  // Selected while another field has the focus: not shown either.
  other.setFocus(Qt::MouseFocusReason);
  edit.selectAll();
  EXPECT_EQ(HighlightedPixels(edit), 0);
}

}  // namespace
