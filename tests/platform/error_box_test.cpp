#include "platform/error_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <ostream>
#include <string>

namespace {

struct FullStopCase {
  std::string message;
  std::string shown;
  friend void PrintTo(const FullStopCase& c, std::ostream* os) { *os << '"' << c.message << '"'; }
};

class FullStopTest : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(FullStopTest, AppendsFullStopAfterCharactersSortingAfterIt) {
  EXPECT_EQ(platform::WithFullStop(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FullStopTest,
    ::testing::Values(
        // Already ends in one: no second.
        FullStopCase{"Done.", "Done."},
        // Characters below ".": unchanged.
        FullStopCase{"ends in space ", "ends in space "}, FullStopCase{"line\n", "line\n"},
        FullStopCase{"bang!", "bang!"}, FullStopCase{"(paren)", "(paren)"}, FullStopCase{"comma,", "comma,"},
        FullStopCase{"dash-", "dash-"},
        // Characters after ".": a letter, a digit, "/", ":", "?".
        FullStopCase{"letter", "letter."}, FullStopCase{"digit 7", "digit 7."}, FullStopCase{"a/", "a/."},
        FullStopCase{"colon:", "colon:."}, FullStopCase{"why?", "why?."},
        // Any non-ASCII character sorts after ".", whatever its length.
        FullStopCase{"\"abc\" は有効な数値ではありません", "\"abc\" は有効な数値ではありません."},
        FullStopCase{"café", "café."}, FullStopCase{"全角。", "全角。."}, FullStopCase{"😀", "😀."},
        // A stray byte stands for itself.
        FullStopCase{",\x80", ",\x80."},
        // Empty stays empty.
        FullStopCase{"", ""}));

QRect ScreenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

TEST(ErrorBoxTest, ShowsCaptionTextStopIconAndOneOkButton) {
  platform::ErrorBox box(QStringLiteral("Hccalc"), QString::fromUtf8("計算できません."));
  box.show();
  EXPECT_EQ(box.windowTitle(), "Hccalc");
  EXPECT_EQ(box.Text(), QString::fromUtf8("計算できません."));
  EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
  const auto buttons = box.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons.front()->text(), "OK");
  EXPECT_TRUE(buttons.front()->isDefault());
  EXPECT_TRUE(box.OkButton()->hasFocus() || QApplication::focusWidget() == nullptr);
}

TEST(ErrorBoxTest, EmptyTextAndCaptionGiveAnEmptyBox) {
  platform::ErrorBox box{QString(), QString()};
  box.show();
  EXPECT_TRUE(box.windowTitle().isEmpty());
  EXPECT_TRUE(box.Text().isEmpty());
  EXPECT_TRUE(box.OkButton()->isVisible());
}

TEST(ErrorBoxTest, HundredThousandCharacterMessageFitsTheScreenAndStaysWhole) {
  const QString message =
      QStringLiteral("\"") + QString(100000, QLatin1Char('7')) + QString::fromUtf8("\" は数値ではありません.");
  platform::ErrorBox box(QStringLiteral("Hccalc"), message);
  box.show();
  QApplication::processEvents();

  EXPECT_EQ(box.Text(), message);
  const QRect screen = ScreenArea();
  EXPECT_TRUE(screen.contains(box.frameGeometry())) << "box " << box.frameGeometry().width() << "x"
                                                     << box.frameGeometry().height();
  const QRect ok(box.OkButton()->mapToGlobal(QPoint(0, 0)), box.OkButton()->size());
  EXPECT_TRUE(screen.contains(ok));
  EXPECT_TRUE(box.OkButton()->isVisible());
  EXPECT_TRUE(box.TextView()->verticalScrollBar()->isVisible());
  EXPECT_GT(box.TextView()->verticalScrollBar()->maximum(), 0);
}

TEST(ErrorBoxTest, ShortMessageNeedsNoScrollBarAndWrapsLongLines) {
  const QString line = QString(400, QLatin1Char('x'));
  platform::ErrorBox box(QStringLiteral("Hccalc"), line);
  box.show();
  QApplication::processEvents();
  EXPECT_FALSE(box.TextView()->verticalScrollBar()->isVisible());
  EXPECT_LE(box.frameGeometry().width(), ScreenArea().width());
  // 400 characters do not fit on one line of at most half the screen.
  EXPECT_GE(box.TextView()->height(), 2 * box.TextView()->fontMetrics().height());
}

TEST(ErrorBoxTest, ShowBlocksUntilOkAndReactivatesTheActiveWindow) {
  QWidget main_window;
  main_window.show();
  main_window.activateWindow();
  QApplication::setActiveWindow(&main_window);
  ASSERT_EQ(QApplication::activeWindow(), &main_window);

  bool was_modal = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<platform::ErrorBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    was_modal = true;
    EXPECT_EQ(box->parentWidget(), &main_window);
    box->OkButton()->click();
  });
  platform::ErrorBox::Show(QStringLiteral("Hccalc"), QStringLiteral("x."));
  EXPECT_TRUE(was_modal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &main_window);
}

}  // namespace
