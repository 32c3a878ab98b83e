// The main window's focus and keys: the first field entered at start-up, the
// Tab cycle both ways, a click against a Tab into a field, the arrow keys on
// the button, and the focus coming back after another window had it.
#include <gtest/gtest.h>

#include <QTest>

#include "ui/form1.h"

namespace {

class Form1Focus : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }
  std::string NameOf(QWidget* widget) const { return widget ? widget->objectName().toStdString() : "(none)"; }

  TForm1 form{nullptr, 96};
};

TEST_F(Form1Focus, StartsInTheFirstScoreWithItsTextSelected) {
  ASSERT_EQ(Focused(), form.Edit1);
  EXPECT_EQ(form.Edit1->selectedText(), "Score1");
  // Typing replaces the placeholder at once.
  QTest::keyClicks(form.Edit1, "85");
  EXPECT_EQ(form.Edit1->Text(), "85");
}

TEST_F(Form1Focus, TabRunsDownTheColumnsThroughTheButtonAndWraps) {
  const std::vector<std::string> cycle{"Edit1", "Edit2", "Edit3",   "Edit4", "Edit5", "Edit6",
                                       "Button1", "Edit7", "Edit8", "Edit9", "Edit1"};
  std::vector<std::string> forwards{NameOf(Focused())};
  for (std::size_t i = 1; i < cycle.size(); ++i) {
    QTest::keyClick(Focused(), Qt::Key_Tab);
    forwards.push_back(NameOf(Focused()));
  }
  EXPECT_EQ(forwards, cycle);

  std::vector<std::string> backwards{NameOf(Focused())};
  for (std::size_t i = 1; i < cycle.size(); ++i) {
    QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ShiftModifier);
    backwards.push_back(NameOf(Focused()));
  }
  EXPECT_EQ(backwards, std::vector<std::string>(cycle.rbegin(), cycle.rend()));
}

TEST_F(Form1Focus, TabbingIntoAFieldSelectsItAllAndLeavingHidesNothingBehind) {
  QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(Focused(), form.Edit9);
  EXPECT_EQ(form.Edit9->selectedText(), "113");
  EXPECT_FALSE(form.Edit1->hasSelectedText());
}

TEST_F(Form1Focus, AClickPlacesTheCaretWhereATabSelectsAll) {
  QTest::mouseClick(form.Edit5, Qt::LeftButton, {}, QPoint(form.Edit5->width() - 4, form.Edit5->height() / 2));
  ASSERT_EQ(Focused(), form.Edit5);
  EXPECT_FALSE(form.Edit5->hasSelectedText());
  EXPECT_EQ(form.Edit5->cursorPosition(), 2);  // behind "72", where it was pressed

  QTest::keyClick(form.Edit5, Qt::Key_Tab);
  ASSERT_EQ(Focused(), form.Edit6);
  EXPECT_EQ(form.Edit6->selectedText(), "72");
}

TEST_F(Form1Focus, ArrowsOnTheButtonMoveAlongTheCycle) {
  form.Button1->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(Focused(), form.Button1);
  const struct {
    Qt::Key key;
    const char* to;
  } cases[] = {{Qt::Key_Right, "Edit7"}, {Qt::Key_Down, "Edit7"}, {Qt::Key_Left, "Edit6"}, {Qt::Key_Up, "Edit6"}};
  for (const auto& c : cases) {
    form.Button1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.Button1, c.key);
    EXPECT_EQ(NameOf(Focused()), c.to) << QTest::toString(c.key);
    // Arriving by arrow selects the field's text like a Tab does.
    EXPECT_EQ(static_cast<TEdit*>(Focused())->selectedText(), static_cast<TEdit*>(Focused())->Text());
  }
}

TEST_F(Form1Focus, ArrowsInAFieldMoveTheCaretNotTheFocus) {
  QTest::keyClick(form.Edit1, Qt::Key_Right);
  QTest::keyClick(form.Edit1, Qt::Key_Left);
  EXPECT_EQ(Focused(), form.Edit1);
  EXPECT_EQ(form.Edit1->cursorPosition(), 5);
}

TEST_F(Form1Focus, TheLastFocusedFieldGetsTheFocusBackWithItsCaret) {
  QTest::mouseClick(form.Edit8, Qt::LeftButton, {}, QPoint(4, form.Edit8->height() / 2));
  ASSERT_EQ(Focused(), form.Edit8);
  QTest::keyClick(form.Edit8, Qt::Key_End);
  const int caret = form.Edit8->cursorPosition();

  QWidget other;  // a dialog's stand-in
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(form.Edit8->hasFocus());

  other.close();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(Focused(), form.Edit8);
  EXPECT_FALSE(form.Edit8->hasSelectedText());
  EXPECT_EQ(form.Edit8->cursorPosition(), caret);
}

TEST_F(Form1Focus, LabelsPictureAndCreditBoxNeverTakeTheFocus) {
  for (QWidget* control : {static_cast<QWidget*>(form.Label1), static_cast<QWidget*>(form.Label7),
                           static_cast<QWidget*>(form.Image1), static_cast<QWidget*>(form.Shape1)}) {
    EXPECT_EQ(control->focusPolicy(), Qt::NoFocus) << control->objectName().toStdString();
  }
  QTest::mouseClick(form.Label1, Qt::LeftButton);
  EXPECT_EQ(Focused(), form.Edit1);
}

}  // namespace
