// The generic form builder on small descriptions of its own: handlers bound
// by name and run inside the error boundary, the keys that press a button and
// those that must not, the Tab cycle from TabOrder, the scaling rule, and the
// descriptions it refuses.
#include <gtest/gtest.h>

#include <optional>

#include <QTest>

#include "core/exception.h"
#include "platform/button.h"
#include "platform/edit.h"
#include "platform/error_boundary.h"
#include "platform/font.h"
#include "platform/form.h"
#include "platform/label.h"

namespace {

using platform::ControlDescription;
using platform::FormDescription;

ControlDescription Control(const char* name, const char* className, QRect bounds, const char* text,
                           std::optional<int> tabOrder = std::nullopt) {
  ControlDescription control;
  control.name = name;
  control.className = className;
  control.left = bounds.left();
  control.top = bounds.top();
  control.width = bounds.width();
  control.height = bounds.height();
  control.text = text;
  control.tabOrder = tabOrder;
  return control;
}

// Two fields with a button between them in the Tab cycle, though created
// last; the text height matches the font, so nothing is scaled.
FormDescription SmallForm() {
  FormDescription form;
  form.name = "Small";
  form.window.caption = "small";
  form.window.autoSize = true;
  form.window.borderWidth = 5;
  form.window.font.name = "IPAPGothic";
  form.window.font.height = -12;
  form.window.textHeight = platform::TextHeight(platform::MakeFont(form.window.font, 12));
  form.controls = {
      Control("First", "TEdit", {10, 0, 60, 20}, "one", 0),
      Control("Second", "TEdit", {10, 30, 60, 20}, "two", 2),
      Control("Caption", "TLabel", {80, 4, 10, 12}, "Caption"),
      Control("Go", "TButton", {80, 30, 70, 25}, "Go", 1),
  };
  form.controls[3].onClick = "GoClick";
  return form;
}

class SmallFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::SetErrorReporter([this](std::exception_ptr error) {
      try {
        std::rethrow_exception(error);
      } catch (const Exception& e) {
        reported_.push_back(e.Message());
      }
    });
    form_ = std::make_unique<TForm>(nullptr, description_, handlers_, 96);
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  void TearDown() override { platform::SetErrorReporter(previous_); }

  TEdit* First() const { return form_->ControlNamed<TEdit>("First"); }
  TButton* Go() const { return form_->ControlNamed<TButton>("Go"); }

  FormDescription description_ = SmallForm();
  int clicks_ = 0;
  QObject* sender_ = nullptr;
  std::function<void()> on_go_;
  platform::HandlerTable handlers_{{"GoClick", [this](QObject* sender) {
                                      ++clicks_;
                                      sender_ = sender;
                                      if (on_go_) on_go_();
                                    }}};
  std::unique_ptr<TForm> form_;
  std::vector<std::string> reported_;
  platform::ErrorReporter previous_;
};

TEST_F(SmallFormTest, TabFollowsTabOrderNotCreationOrder) {
  EXPECT_EQ(QApplication::focusWidget(), First());
  QTest::keyClick(First(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Go());
}

TEST_F(SmallFormTest, ClickSpaceAndEnterOnTheButtonRunItsHandler) {
  QTest::mouseClick(Go(), Qt::LeftButton);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(sender_, Go());
  ASSERT_TRUE(Go()->hasFocus());
  QTest::keyClick(Go(), Qt::Key_Space);
  EXPECT_EQ(clicks_, 2);
  QTest::keyClick(Go(), Qt::Key_Return);
  EXPECT_EQ(clicks_, 3);
  QTest::keyClick(Go(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(clicks_, 4);
  EXPECT_TRUE(Go()->hasFocus());
}

TEST_F(SmallFormTest, EnterAndEscInAFieldDoNothingAndGoNowhere) {
  int keysReachingTheWindow = 0;
  struct Counter : QObject {
    int* count;
    explicit Counter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::KeyPress) ++*count;
      return false;
    }
  } counter(&keysReachingTheWindow);
  form_->installEventFilter(&counter);
  form_->ClientArea()->installEventFilter(&counter);

  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(First(), key);
  }
  EXPECT_EQ(keysReachingTheWindow, 0);
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(First()->Text(), "one");
  EXPECT_TRUE(First()->hasFocus());
  EXPECT_TRUE(form_->isVisible());
}

TEST_F(SmallFormTest, AnErrorInAHandlerGoesToTheReportAndTheWindowGoesOn) {
  on_go_ = [] { throw EConvertError("'x' is not a number"); };
  QTest::mouseClick(Go(), Qt::LeftButton);
  ASSERT_EQ(reported_, std::vector<std::string>{"'x' is not a number"});
  on_go_ = nullptr;
  QTest::keyClick(Go(), Qt::Key_Space);
  EXPECT_EQ(clicks_, 2);
  EXPECT_EQ(reported_.size(), 1u);
}

TEST_F(SmallFormTest, TheLabelsSizeComesFromItsCaption) {
  auto* label = form_->ControlNamed<TLabel>("Caption");
  const QFontMetrics metrics(form_->font());
  EXPECT_EQ(label->geometry(), QRect(80 - 10, 4, metrics.horizontalAdvance("Caption"), metrics.height()));
  label->SetCaption("A longer caption");
  EXPECT_EQ(label->geometry(), QRect(70, 4, metrics.horizontalAdvance("A longer caption"), metrics.height()));
}

TEST(FormBuilder, ShiftsControlsToTheCornerAndScalesOnlyWhenTheTextHeightDiffers) {
  const FormDescription description = SmallForm();
  // The extents began at x = 10: everything moved left by 10, nothing scaled.
  TForm same(nullptr, description, {{"GoClick", [](QObject*) {}}}, 96);
  EXPECT_EQ(same.FindControl("First")->geometry(), QRect(0, 0, 60, platform::TextHeight(same.font()) + 8));
  EXPECT_EQ(same.FindControl("Go")->geometry(), QRect(70, 30, 70, 25));
  EXPECT_EQ(same.size(), QSize(140 + 10, 55 + 10));

  // Designed for characters 5 pixels high: every edge, not every size, is
  // scaled by the real height over 5, so neighbours that touched still touch.
  FormDescription tiny = description;
  tiny.window.textHeight = 5;
  const int real = platform::TextHeight(same.font());
  TForm scaled(nullptr, tiny, {{"GoClick", [](QObject*) {}}}, 96);
  const auto edge = [&](int designed) { return platform::MulDiv(designed, real, 5); };
  EXPECT_EQ(scaled.FindControl("Go")->geometry(),
            QRect(edge(80) - edge(10), edge(30), edge(150) - edge(80), edge(55) - edge(30)));

  tiny.window.textHeight = 0;
  EXPECT_THROW(TForm(nullptr, tiny, {{"GoClick", [](QObject*) {}}}, 96), Exception);
}

TEST(FormBuilder, ScalesTheFontToTheDensity) {
  FormDescription description = SmallForm();
  for (const auto& [dpi, pixels] : {std::pair{96, 12}, {120, 15}, {144, 18}, {72, 9}}) {
    TForm form(nullptr, description, {{"GoClick", [](QObject*) {}}}, dpi);
    EXPECT_EQ(form.font().pixelSize(), pixels) << dpi;
    EXPECT_EQ(form.FindControl("Second")->font().pixelSize(), pixels) << dpi;
  }
}

TEST(FormBuilder, RefusesUnknownClassesAndHandlers) {
  FormDescription unknownClass = SmallForm();
  unknownClass.controls[2].className = "TTrackBar";
  EXPECT_THROW(TForm(nullptr, unknownClass, {{"GoClick", [](QObject*) {}}}, 96), Exception);

  EXPECT_THROW(TForm(nullptr, SmallForm(), {}, 96), Exception);

  FormDescription handlerOnALabel = SmallForm();
  handlerOnALabel.controls[2].onClick = "GoClick";
  EXPECT_THROW(TForm(nullptr, handlerOnALabel, {{"GoClick", [](QObject*) {}}}, 96), Exception);
}

TEST(FormBuilder, ControlNamedRefusesAMissingNameOrAnotherClass) {
  TForm form(nullptr, SmallForm(), {{"GoClick", [](QObject*) {}}}, 96);
  EXPECT_NE(form.ControlNamed<TEdit>("First"), nullptr);
  EXPECT_THROW(form.ControlNamed<TEdit>("Go"), Exception);
  EXPECT_THROW(form.ControlNamed<TEdit>("Nothing"), Exception);
  EXPECT_EQ(form.FindControl("Nothing"), nullptr);
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  const struct {
    int n, numerator, denominator, expected;
  } cases[] = {{-12, 120, 96, -15}, {12, 120, 96, 15}, {168, 13, 12, 182}, {217, 13, 12, 235}, {20, 13, 12, 22},
               {6, 1, 4, 2},        {-6, 1, 4, -2},    {5, 1, 4, 1},       {7, 1, 2, 4},       {-7, 1, 2, -4}};
  for (const auto& c : cases) {
    EXPECT_EQ(platform::MulDiv(c.n, c.numerator, c.denominator), c.expected) << c.n << "*" << c.numerator << "/"
                                                                              << c.denominator;
  }
}

}  // namespace
