#include "platform/application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <stdexcept>
#include <ostream>
#include <string>
#include <vector>

#include "core/exception.h"
#include "platform/error_box.h"
#include "platform/show_command.h"

namespace {

using platform::ErrorBox;

struct SeenBox {
  QString caption;
  QString text;
  bool modal = false;
  bool main_window_blocked = false;
};

// Waits (from the event loop) for an error box to come up, notes what it
// shows, then presses its OK button, or runs `instead` in place of that.
void DismissBoxWhenShown(std::vector<SeenBox>& seen, std::function<void()> instead = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, [timer, &seen, instead] {
    auto* box = qobject_cast<ErrorBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    QWidget* main = Application ? Application->MainForm() : nullptr;
    seen.push_back({box->windowTitle(), box->Text(), box->windowModality() == Qt::ApplicationModal,
                    main != nullptr && QApplication::activeModalWidget() != main});
    if (instead) {
      instead();
    } else {
      box->OkButton()->click();
    }
  });
  timer->start();
}

int ErrorBoxesOnScreen() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) count += qobject_cast<ErrorBox*>(w) != nullptr && w->isVisible();
  return count;
}

class TMainForm : public QWidget {
 public:
  explicit TMainForm(QWidget* owner) : QWidget(owner) { setWindowTitle(QString::fromUtf8("コトリナくん")); }
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override { application_ = std::make_unique<TApplication>("/opt/Tools/HCCALC"); }
  void TearDown() override {
    application_.reset();
    QApplication::processEvents();
  }

  // Runs the event loop until `done` is called by one of the posted actions.
  static void RunLoopUntilQuit(QEventLoop& loop) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, [&loop] {
      ADD_FAILURE() << "event loop did not finish";
      loop.quit();
    });
    guard.start(10000);
    loop.exec();
  }

  std::unique_ptr<TApplication> application_;
};

TEST_F(ApplicationTest, IsTheOneApplicationObjectWithTitleAndIcon) {
  EXPECT_EQ(Application, application_.get());
  EXPECT_EQ(Application->Title(), "Hccalc");
  ASSERT_FALSE(Application->Icon().isNull());
  EXPECT_EQ(Application->Icon().availableSizes().value(0), QSize(32, 32));
  EXPECT_EQ(QApplication::windowIcon().cacheKey(), Application->Icon().cacheKey());
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(ApplicationTest, CommandErrorShowsTheBoxAndTheLoopGoesOn) {
  TMainForm* form = nullptr;
  Application->CreateForm(form);
  form->show();

  std::vector<SeenBox> seen;
  std::vector<std::string> log;
  QEventLoop loop;
  DismissBoxWhenShown(seen);
  QTimer::singleShot(0, [&] {
    platform::Guarded([&] {
      log.push_back("command");
      throw EConvertError("\"abc\" は有効な数値ではありません");
    });
    log.push_back("after report");
    QTimer::singleShot(0, [&] {
      log.push_back("next event");
      loop.quit();
    });
  });
  RunLoopUntilQuit(loop);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Hccalc");
  EXPECT_EQ(seen[0].text, QString::fromUtf8("\"abc\" は有効な数値ではありません."));
  EXPECT_TRUE(seen[0].modal);
  EXPECT_TRUE(seen[0].main_window_blocked);
  EXPECT_EQ(log, (std::vector<std::string>{"command", "after report", "next event"}));
  EXPECT_EQ(ErrorBoxesOnScreen(), 0);
  EXPECT_TRUE(form->isEnabled());
}

struct ReportCase {
  const char* name;
  std::function<void()> raise;
  const char* shown;
  friend void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }
};

class ErrorReportTest : public ApplicationTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ErrorReportTest, ShowsTheMessageWithTheFullStopRule) {
  std::vector<SeenBox> seen;
  DismissBoxWhenShown(seen);
  QEventLoop loop;
  QTimer::singleShot(0, [&] {
    platform::Guarded(GetParam().raise);
    loop.quit();
  });
  RunLoopUntilQuit(loop);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Hccalc");
  EXPECT_EQ(seen[0].text, QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorReportTest,
    ::testing::Values(ReportCase{"ZeroDivide", [] { throw EZeroDivide("0 で除算しました"); }, "0 で除算しました."},
                      ReportCase{"EndsInFullStop", [] { throw EOverflow("Overflow."); }, "Overflow."},
                      ReportCase{"EndsInParen", [] { throw EInvalidOp("bad (x)"); }, "bad (x)"},
                      ReportCase{"EndsInSpace", [] { throw Exception("space "); }, "space "},
                      ReportCase{"Empty", [] { throw EConvertError(""); }, ""},
                      // Foreign errors are reported too, never fatal.
                      ReportCase{"StdError", [] { throw std::runtime_error("disk on fire"); }, "disk on fire."},
                      ReportCase{"NotAClass", [] { throw 42; }, "int."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ApplicationTest, AbortShowsNothing) {
  bool after = false;
  platform::Guarded([] { throw EAbort("never shown"); });
  after = true;
  EXPECT_TRUE(after);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(ErrorBoxesOnScreen(), 0);
}

// An error that escapes an event handler outside any Guarded call is caught
// at the top of the dispatch and reported; the loop goes on.
class TThrowingWidget : public QWidget {
 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw EConvertError("from an event handler");
    return QWidget::event(event);
  }
};

TEST_F(ApplicationTest, ErrorEscapingAnEventHandlerIsReportedByTheBackstop) {
  TThrowingWidget widget;
  std::vector<SeenBox> seen;
  DismissBoxWhenShown(seen);
  QEventLoop loop;
  QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
  QTimer::singleShot(0, &loop, [&] { QTimer::singleShot(0, &loop, &QEventLoop::quit); });
  RunLoopUntilQuit(loop);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "from an event handler.");
}

class TBrokenForm : public QWidget {
 public:
  explicit TBrokenForm(QWidget* owner) : QWidget(owner) { throw EConvertError("broken description"); }
};

class TSelfCheckingForm : public QWidget {
 public:
  static TSelfCheckingForm* ref;
  explicit TSelfCheckingForm(QWidget* owner) : QWidget(owner), referred_at_once(ref == this) {}
  bool referred_at_once;
};
TSelfCheckingForm* TSelfCheckingForm::ref = nullptr;

TEST_F(ApplicationTest, FirstCreatedFormBecomesTheMainWindowAndIsReferredToAtOnce) {
  Application->CreateForm(TSelfCheckingForm::ref);
  ASSERT_NE(TSelfCheckingForm::ref, nullptr);
  EXPECT_TRUE(TSelfCheckingForm::ref->referred_at_once);
  EXPECT_EQ(Application->MainForm(), TSelfCheckingForm::ref);
  EXPECT_FALSE(TSelfCheckingForm::ref->isVisible());

  TMainForm* second = nullptr;
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), TSelfCheckingForm::ref);

  Application->DestroyForms();
  EXPECT_EQ(TSelfCheckingForm::ref, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, FailedBuildEmptiesTheReferenceAndPassesTheErrorOn) {
  TBrokenForm* broken = nullptr;
  EXPECT_THROW(Application->CreateForm(broken), EConvertError);
  EXPECT_EQ(broken, nullptr);
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, ClosingTheMainWindowEndsTheLoop) {
  TMainForm* form = nullptr;
  Application->CreateForm(form);
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(form->isVisible());
    form->close();
  });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_NE(form, nullptr);  // still owned until the windows are destroyed
}

TEST_F(ApplicationTest, SessionEndEndsTheLoopEvenWithABoxUp) {
  TMainForm* form = nullptr;
  Application->CreateForm(form);
  std::vector<SeenBox> seen;
  DismissBoxWhenShown(seen, [] { Application->EndSession(); });
  QTimer::singleShot(0, [] { platform::Guarded([] { throw EConvertError("x"); }); });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(ErrorBoxesOnScreen(), 0);
}

TEST_F(ApplicationTest, RunWithoutMainWindowReturnsAtOnce) {
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, SettingsAnnouncementsRereadSettingsOncePerBurst) {
  int reads = 0;
  Application->SetOnSettingsChange([&] { ++reads; });
  QWindow window;
  window.create();

  QEvent locale(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &locale);
  QEvent font(QEvent::ApplicationFontChange);
  QCoreApplication::sendEvent(qApp, &font);
  QEvent theme(QEvent::ThemeChange);
  QCoreApplication::sendEvent(&window, &theme);
  EXPECT_EQ(reads, 0);  // read when the loop comes round, not inside the announcement
  QCoreApplication::sendPostedEvents(Application);
  EXPECT_EQ(reads, 1);

  QEvent palette(QEvent::ApplicationPaletteChange);
  QCoreApplication::sendEvent(qApp, &palette);
  QCoreApplication::sendPostedEvents(Application);
  EXPECT_EQ(reads, 2);

  // Other events read nothing.
  QEvent other(QEvent::User);
  QCoreApplication::sendEvent(qApp, &other);
  QCoreApplication::sendPostedEvents(Application);
  EXPECT_EQ(reads, 2);
}

TEST_F(ApplicationTest, MinimizingTheMainWindowMinimizesTheProgramAsAWhole) {
  TMainForm* form = nullptr;
  Application->CreateForm(form);
  form->show();
  QDialog dialog(form);
  dialog.show();
  ASSERT_TRUE(dialog.isWindow());

  form->setWindowState(Qt::WindowMinimized);
  EXPECT_TRUE(dialog.windowState() & Qt::WindowMinimized);
  form->setWindowState(Qt::WindowNoState);
  EXPECT_FALSE(dialog.windowState() & Qt::WindowMinimized);
}

TEST_F(ApplicationTest, MainWindowIconTextIsTheTitleAndCaptionStaysItsOwn) {
  TMainForm* form = nullptr;
  Application->CreateForm(form);
  EXPECT_EQ(form->windowIconText(), "Hccalc");
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("コトリナくん"));
  EXPECT_TRUE(form->windowIcon().cacheKey() == Application->Icon().cacheKey() || !form->windowIcon().isNull());
}

struct ShowCase {
  int command;
  Qt::WindowStates stored;
  Qt::WindowStates opened;
  friend void PrintTo(const ShowCase& c, std::ostream* os) { *os << "command " << c.command; }
};

class ShowCommandTest : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowCommandTest, PicksTheStartState) {
  EXPECT_EQ(platform::InitialWindowState(GetParam().command, GetParam().stored), GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ShowCommandTest,
    ::testing::Values(ShowCase{3, Qt::WindowNoState, Qt::WindowMaximized},
                      ShowCase{7, Qt::WindowNoState, Qt::WindowMinimized},
                      ShowCase{10, Qt::WindowNoState, Qt::WindowNoState},
                      ShowCase{10, Qt::WindowMaximized, Qt::WindowMaximized},
                      ShowCase{1, Qt::WindowNoState, Qt::WindowNoState},
                      ShowCase{3, Qt::WindowMinimized, Qt::WindowMaximized}));

TEST(StartShowCommandTest, LinuxPassesNoneSoTheDefaultApplies) {
  EXPECT_EQ(platform::StartShowCommand(), platform::kShowDefault);
}

}  // namespace
