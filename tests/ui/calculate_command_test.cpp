// The calculate command through the real main window: typing into the entry
// fields, pressing the button, and what the result dialog, the error report
// and the worksheet show afterwards.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdlib>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal_separator.h"
#include "core/exception.h"
#include "platform/application.h"
#include "platform/error_boundary.h"
#include "platform/error_box.h"
#include "platform/message_dialog.h"
#include "ui/form1.h"
#include "ui/worksheet_instance.h"

namespace {

using Entries = std::array<const char*, 9>;

// What one press of the button led to.
struct Outcome {
  std::optional<std::string> dialogText;  // the dialog's Ctrl+C text, if one opened
  std::vector<std::string> errorClasses;  // errors that reached the error report
  std::vector<std::string> errorMessages;
};

constexpr const char* kNotANumber = "' は浮動小数点数ではありません";

std::string NotANumber(const std::string& text) { return "'" + text + kNotANumber; }

std::string Divider() { return std::string(27, '-') + "\r\n"; }

std::string DialogText(const std::string& message) {
  return Divider() + "kotorina\r\n" + Divider() + message + "\r\n" + Divider() + "OK   \r\n" + Divider();
}

std::string ResultMessage(const std::string& handicap) {
  return "あなたのＨＣは\r   " + handicap + "　　です";
}

class CalculateCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    Worksheet = HandicapWorksheet{};
    application_ = std::make_unique<TApplication>("/usr/bin/kotorina");
    // Record every error instead of showing the stop box; the test of the
    // real report below puts it back.
    application_reporter_ = platform::SetErrorReporter([this](std::exception_ptr error) {
      try {
        std::rethrow_exception(error);
      } catch (const Exception& e) {
        outcome_.errorClasses.emplace_back(e.ClassName());
        outcome_.errorMessages.push_back(e.Message());
      }
    });
    Application->CreateForm(Form1);
    Form1->show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
  }

  void TearDown() override {
    platform::SetErrorReporter(application_reporter_);
    application_.reset();
    QApplication::processEvents();
  }

  void Type(const Entries& entries) {
    TEdit* const edits[] = {Form1->Edit1, Form1->Edit2, Form1->Edit3, Form1->Edit4, Form1->Edit5,
                            Form1->Edit6, Form1->Edit7, Form1->Edit8, Form1->Edit9};
    for (int n = 0; n < 9; ++n) edits[n]->SetText(QString::fromUtf8(entries[n]));
  }

  // Runs `action` on the result dialog once it is on screen, unless the
  // wait is called off first (as after an error, when none comes).
  static void WhenDialogOpens(std::function<void(platform::TMessageDialog*)> action,
                              std::shared_ptr<bool> waiting) {
    if (!*waiting) return;
    auto* dialog = qobject_cast<platform::TMessageDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr && dialog->isVisible()) {
      *waiting = false;
      action(dialog);
    } else {
      QTimer::singleShot(5, [action, waiting] { WhenDialogOpens(action, waiting); });
    }
  }

  // Presses the button; a dialog that opens is read, then closed with
  // `closeKey`.
  Outcome Press(Qt::Key closeKey = Qt::Key_Return) {
    outcome_ = {};
    auto waiting = std::make_shared<bool>(true);
    WhenDialogOpens(
        [this, closeKey](platform::TMessageDialog* dialog) {
          outcome_.dialogText = dialog->ClipboardText().toStdString();
          QTest::keyClick(dialog, closeKey);
        },
        waiting);
    Form1->Button1->click();
    *waiting = false;
    QApplication::processEvents();
    return outcome_;
  }

  Outcome outcome_;
  platform::ErrorReporter application_reporter_;
  std::unique_ptr<TApplication> application_;
};

TEST_F(CalculateCommand, PrefilledEntriesStopAtTheFirstScoreWithNothingParsed) {
  Worksheet.scores = {1, 2, 3};
  const Outcome outcome = Press();
  EXPECT_FALSE(outcome.dialogText);
  ASSERT_EQ(outcome.errorClasses, std::vector<std::string>{"EConvertError"});
  EXPECT_EQ(outcome.errorMessages[0], NotANumber("Score1"));
  const std::array<std::string, 9> prefilled = {"Score1", "Score2", "Score3", "72", "72", "72", "113", "113", "113"};
  EXPECT_EQ(Worksheet.entryTexts, prefilled);
  EXPECT_EQ(Worksheet.scores, (std::array<double, 3>{1, 2, 3}));
  EXPECT_EQ(Worksheet.courseRatings, (std::array<double, 3>{}));
}

TEST_F(CalculateCommand, TheErrorBoxShowsTheMessageWithAFullStopAndTheWindowGoesOn) {
  platform::SetErrorReporter(application_reporter_);
  QString caption, text;
  QTimer::singleShot(50, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<platform::ErrorBox*>(w); box != nullptr && box->isVisible()) {
        caption = box->windowTitle();
        text = box->Text();
        box->OkButton()->click();
      }
    }
  });
  Form1->Button1->click();
  QApplication::processEvents();
  EXPECT_EQ(caption, "kotorina");
  EXPECT_EQ(text.toStdString(), NotANumber("Score1") + ".");
  EXPECT_EQ(Form1->Edit1->Text(), "Score1");
  EXPECT_TRUE(Form1->isEnabled());
}

struct FailingEntries {
  const char* name;
  Entries entries;
  const char* errorClass;
  int failingEntry;  // 1 to 9
};

class EntryFailures : public CalculateCommand, public ::testing::WithParamInterface<FailingEntries> {};

TEST_P(EntryFailures, TheFirstFailingEntryDownTheColumnsIsReported) {
  // A previous, successful calculation leaves its values behind.
  Type({"90", "85", "100", "72", "72", "72", "113", "113", "113"});
  ASSERT_TRUE(Press().dialogText);
  const HandicapWorksheet before = Worksheet;

  const FailingEntries& c = GetParam();
  Type(c.entries);
  const Outcome outcome = Press();
  EXPECT_FALSE(outcome.dialogText);
  ASSERT_EQ(outcome.errorClasses, std::vector<std::string>{c.errorClass});
  if (std::string(c.errorClass) == "EConvertError") {
    EXPECT_EQ(outcome.errorMessages[0], NotANumber(c.entries[c.failingEntry - 1]));
  }
  for (int n = 0; n < 9; ++n) {
    EXPECT_EQ(Worksheet.entryTexts[n], c.entries[n]) << "entry " << n + 1;
    HandicapWorksheet typed = before;
    const double expected = n < c.failingEntry - 1 ? std::stod(c.entries[n]) : typed.EntryValue(n);
    EXPECT_EQ(Worksheet.EntryValue(n), expected) << "value " << n + 1;
  }
  EXPECT_EQ(Worksheet.handicapValue, before.handicapValue);
  EXPECT_EQ(Worksheet.handicapText, before.handicapText);
  // What the user typed stays in the fields.
  EXPECT_EQ(Form1->Edit9->Text().toStdString(), c.entries[8]);
}

INSTANTIATE_TEST_SUITE_P(
    , EntryFailures,
    ::testing::Values(
        FailingEntries{"Entries2And9", {"80", "x", "100", "71", "72", "73", "120", "121", "y"}, "EConvertError", 2},
        FailingEntries{"Edit3BeforeEdit4", {"80", "81", "bad", "?", "72", "73", "120", "121", "122"}, "EConvertError", 3},
        FailingEntries{"LastSlope", {"80", "81", "82", "71", "72", "73", "120", "121", "1,5"}, "EConvertError", 9},
        FailingEntries{"BeyondDouble", {"80", "81", "82", "71", "1e400", "73", "120", "121", "122"}, "EOverflow", 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculateCommand, ArithmeticFailureBeforeTheAverageKeepsThePreviousHandicap) {
  Type({"90", "85", "100", "72", "72", "72", "113", "113", "113"});
  ASSERT_TRUE(Press().dialogText);
  const Entries entries = {"90", "85", "100", "72", "72", "72", "0", "113", "113"};
  Type(entries);
  const Outcome outcome = Press();
  EXPECT_FALSE(outcome.dialogText);
  EXPECT_EQ(outcome.errorClasses, std::vector<std::string>{"EZeroDivide"});
  for (int n = 0; n < 9; ++n) EXPECT_EQ(Worksheet.EntryValue(n), std::stod(entries[n]));
  EXPECT_EQ(Worksheet.handicapValue, 19);
  EXPECT_EQ(Worksheet.handicapText, "19");
}

TEST_F(CalculateCommand, FailureOfTheCutLeavesTheAverageStored) {
  Type({"27670116110564327424", "0", "0", "0", "0", "0", "113", "113", "113"});
  const Outcome outcome = Press();
  EXPECT_EQ(outcome.errorClasses, std::vector<std::string>{"EInvalidOp"});
  EXPECT_EQ(Worksheet.handicapValue, std::ldexp(1.0, 63));
  EXPECT_EQ(Worksheet.handicapText, "");
  // The next calculation is not touched by the failed one.
  Type({"90", "85", "100", "72", "72", "72", "113", "113", "113"});
  EXPECT_EQ(Press().dialogText, DialogText(ResultMessage("19")));
}

struct WorkedExample {
  Entries entries;
  const char* handicap;
};

class WorkedExamples : public CalculateCommand, public ::testing::WithParamInterface<WorkedExample> {};

TEST_P(WorkedExamples, TypedIntoTheFieldsGiveTheirHandicapInTheDialog) {
  Type(GetParam().entries);
  const Outcome outcome = Press();
  EXPECT_TRUE(outcome.errorClasses.empty());
  EXPECT_EQ(outcome.dialogText, DialogText(ResultMessage(GetParam().handicap)));
  EXPECT_EQ(Worksheet.handicapText, GetParam().handicap);
}

INSTANTIATE_TEST_SUITE_P(
    , WorkedExamples,
    ::testing::Values(WorkedExample{{"90", "85", "100", "72", "72", "72", "113", "113", "113"}, "19"},
                      WorkedExample{{"70", "70", "71", "72", "72", "72", "113", "113", "113"}, "-1"},
                      WorkedExample{{"104", "100", "89", "71.7", "71", "75.3", "113", "113", "113"}, "25"},
                      WorkedExample{{"102", "115", "98", "70.2", "68.4", "74.4", "113", "113", "113"}, "33"},
                      WorkedExample{{"95", "118", "87", "72.5", "70.4", "67.1", "113", "113", "113"}, "30"},
                      WorkedExample{{"95", "88", "102", "71.2", "70.4", "73.1", "128", "121", "135"}, "20"},
                      WorkedExample{{"60", "65", "70", "72", "72", "72", "113", "113", "113"}, "-7"},
                      WorkedExample{{"72", "72", "72", "72", "72", "72", "113", "113", "113"}, "0"}));

TEST_F(CalculateCommand, TwoPressesWithTheSameEntriesLeaveTheSameWorksheet) {
  Type({"102", "115", "98", "70.2", "68.4", "74.4", "113", "113", "113"});
  const Outcome first = Press();
  const HandicapWorksheet afterFirst = Worksheet;
  const Outcome second = Press(Qt::Key_Escape);
  EXPECT_EQ(first.dialogText, second.dialogText);
  EXPECT_EQ(Worksheet.entryTexts, afterFirst.entryTexts);
  EXPECT_EQ(Worksheet.scores, afterFirst.scores);
  EXPECT_EQ(Worksheet.courseRatings, afterFirst.courseRatings);
  EXPECT_EQ(Worksheet.slopeRatings, afterFirst.slopeRatings);
  EXPECT_EQ(Worksheet.handicapValue, afterFirst.handicapValue);
  EXPECT_EQ(Worksheet.handicapText, afterFirst.handicapText);
}

TEST_F(CalculateCommand, CtrlCInTheDialogCopiesItsTextAndEnterThenClosesIt) {
  std::vector<std::string> copied;
  const auto previous = platform::SetClipboardWriter([&](const QString& text) {
    copied.push_back(text.toStdString());
    return true;
  });
  Type({"90", "85", "100", "72", "72", "72", "113", "113", "113"});
  bool stillOpenAfterCopy = false;
  auto waiting = std::make_shared<bool>(true);
  WhenDialogOpens(
      [&](platform::TMessageDialog* dialog) {
        QTest::keyClick(dialog, Qt::Key_C, Qt::ControlModifier);
        stillOpenAfterCopy = dialog->isVisible();
        QTest::keyClick(dialog, Qt::Key_Return);
      },
      waiting);
  // With the keyboard, as a user does: Space on the focused button.
  Form1->Button1->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Form1->Button1, Qt::Key_Space);
  *waiting = false;
  platform::SetClipboardWriter(previous);
  EXPECT_TRUE(stillOpenAfterCopy);
  EXPECT_EQ(copied, std::vector<std::string>{DialogText(ResultMessage("19"))});
  // The main window is active again with its focus where it was.
  QApplication::processEvents();
  EXPECT_TRUE(Form1->isEnabled());
  EXPECT_EQ(QApplication::activeWindow(), Form1);
}

TEST_F(CalculateCommand, EnterInAnEntryAndEscOnTheWindowStartNothing) {
  Type({"90", "85", "100", "72", "72", "72", "113", "113", "113"});
  bool dialogOpened = false;
  auto waiting = std::make_shared<bool>(true);
  WhenDialogOpens(
      [&](platform::TMessageDialog* dialog) {
        dialogOpened = true;
        dialog->reject();
      },
      waiting);
  Form1->Edit4->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Form1->Edit4, Qt::Key_Return);
  QTest::keyClick(Form1->Edit4, Qt::Key_Enter);
  QTest::keyClick(Form1, Qt::Key_Escape);
  QApplication::processEvents();
  *waiting = false;
  EXPECT_FALSE(dialogOpened);
  EXPECT_TRUE(outcome_.errorClasses.empty());
  EXPECT_EQ(Worksheet.entryTexts[0], "");
}

// The user switches to a locale whose decimal separator is a comma while the
// program runs; the desktop announces it, and the next calculation follows.
TEST_F(CalculateCommand, ChangedSettingsGiveTheNextCalculationTheNewSeparator) {
  // Wired as at start-up: the platform rereads the locale on announcements.
  Application->SetOnSettingsChange(ReadDecimalSeparator);
  const char* const previous = std::getenv("LC_ALL");
  const std::string saved = previous != nullptr ? previous : "";
  const auto announce = [](const char* locale) {
    setenv("LC_ALL", locale, 1);
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(QApplication::instance(), &change);
    QApplication::processEvents();
  };

  Type({"104,5", "100", "89", "72", "72", "72", "113", "113", "113"});
  announce("C.UTF-8");
  EXPECT_EQ(Press().errorClasses, std::vector<std::string>{"EConvertError"});

  announce("de_DE.UTF-8");
  EXPECT_EQ(Press().dialogText, DialogText(ResultMessage("25")));
  Type({"104.5", "100", "89", "72", "72", "72", "113", "113", "113"});
  EXPECT_EQ(Press().errorClasses, std::vector<std::string>{"EConvertError"});

  if (previous != nullptr) {
    setenv("LC_ALL", saved.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  announce(previous != nullptr ? saved.c_str() : "C.UTF-8");
  if (previous == nullptr) unsetenv("LC_ALL");
  ReadDecimalSeparator();
}

}  // namespace
