// The caret stops blinking once the user leaves the keyboard and mouse alone,
// and blinks again with the next input.

#include "platform/caret_rest.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

namespace {

TEST(CaretRest, StopsTheBlinkAfterTheRestAndStartsItAgainWithInput) {
  const int blinking = QGuiApplication::styleHints()->cursorFlashTime();
  ASSERT_GT(blinking, 0);
  QLineEdit edit;
  edit.show();
  edit.setFocus();
  {
    platform::CaretRest rest(50);
    QTest::qWait(20);
    EXPECT_FALSE(rest.Resting());
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blinking);

    ASSERT_TRUE(QTest::qWaitFor([&] { return rest.Resting(); }, 2000));
    // Shown steadily: a flash time of 0 is a caret that never goes out.
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);

    for (const auto& input : {+[](QWidget* w) { QTest::keyClick(w, Qt::Key_A); },
                              +[](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }}) {
      input(&edit);
      EXPECT_FALSE(rest.Resting());
      EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blinking);
      // The rest is counted from the last input.
      ASSERT_TRUE(QTest::qWaitFor([&] { return rest.Resting(); }, 2000));
    }
  }
  // Gone, it leaves the caret blinking as it found it.
  EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blinking);
}

}  // namespace
