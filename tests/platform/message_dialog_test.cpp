// The modal message dialog, driven as a user would: it is opened through
// ShowMessageDialog and, while its nested loop runs, keys are typed into its
// window.
#include "platform/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "core/exception.h"
#include "platform/error_boundary.h"

namespace {

using platform::TMessageDialog;

const QString kResultMessage = QStringLiteral("あなたのＨＣは\r   19　　です");

struct DialogRun {
  bool found = false;          // the dialog was up when the test looked
  bool openAfterBody = false;  // still up after what the test did to it
  QPointer<TMessageDialog> dialog;  // empty once it has been destroyed
};

// The message dialog on screen, if there is one; looked up among the windows
// rather than as the modal widget, so that a dialog that fails to be modal is
// still found (and closed).
TMessageDialog* OpenDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<TMessageDialog*>(widget); dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

// Keeps a failing test from hanging: after a few seconds it closes the dialog,
// or, when there is none to close and a loop still runs, ends every loop.
// Ending them leaves Qt's quit flag set, which would end every later loop at
// once; a short run of the application's own loop clears it again.
class Watchdog {
 public:
  Watchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (TMessageDialog* dialog = OpenDialog()) {
        dialog->close();
      } else {
        exited_ = true;
        QCoreApplication::exit(1);
      }
    });
    timer_.start(5000);
  }
  ~Watchdog() {
    if (exited_) {
      QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
      QApplication::exec();
    }
  }
  bool Fired() const { return !timer_.isActive(); }

 private:
  QTimer timer_;
  bool exited_ = false;
};

// Opens the dialog and runs whileOpen on it from inside its nested loop.
// Returns once ShowMessageDialog has returned. A dialog that the test left
// open is closed afterwards.
DialogRun RunDialog(QWidget* window, const QString& caption, const QString& message,
                    const std::function<void(TMessageDialog&)>& whileOpen,
                    const QString& buttonCaption = "OK") {
  DialogRun run;
  QTimer::singleShot(0, [&] {
    TMessageDialog* dialog = OpenDialog();
    run.dialog = dialog;
    run.found = dialog != nullptr;
    if (!dialog) return;
    whileOpen(*dialog);
    QCoreApplication::processEvents();
    run.openAfterBody = run.dialog && run.dialog->isVisible();
    if (run.dialog && run.dialog->isVisible()) run.dialog->reject();
  });
  const Watchdog watchdog;
  platform::ShowMessageDialog(window, caption, message, buttonCaption);
  EXPECT_FALSE(watchdog.Fired()) << "the dialog had to be ended by the watchdog";
  return run;
}

// Types a key into the dialog's window, the way the window system delivers it:
// to the focused control first, then up to the dialog.
void Type(TMessageDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(dialog.windowHandle(), key, modifiers);
}

// Records what the dialog puts on the clipboard instead of touching it.
struct RecordingClipboard : ::testing::Test {
  std::vector<QString> copies;
  bool available = true;
  platform::ClipboardWriter previous;

  void SetUp() override {
    previous = platform::SetClipboardWriter([this](const QString& text) {
      copies.push_back(text);
      return available;
    });
  }
  void TearDown() override { platform::SetClipboardWriter(previous); }
};

// --- Text and layout ---------------------------------------------------------

int LineCount(const TMessageDialog& dialog) {
  const int lineHeight = QFontMetrics(dialog.MessageLabel()->font()).height();
  return (dialog.MessageLabel()->height() + lineHeight / 2) / lineHeight;
}

TEST(MessageDialogText, EveryKindOfLineEndStartsANewLine) {
  struct Case {
    const char* name;
    QString message;
    int lines;
  };
  const Case cases[] = {
      {"lone CR", kResultMessage, 2},
      {"CR LF", QStringLiteral("あなたのＨＣは\r\n   19　　です"), 2},
      {"LF", QStringLiteral("あなたのＨＣは\n   19　　です"), 2},
      {"CR CR", QStringLiteral("one\r\rthree"), 3},
      {"no line end", QStringLiteral("あなたのＨＣは"), 1},
      {"empty", QString(), 1},
  };
  for (const Case& c : cases) {
    const DialogRun run = RunDialog(nullptr, "kotorina", c.message, [&](TMessageDialog& dialog) {
      EXPECT_EQ(LineCount(dialog), c.lines) << c.name;
      EXPECT_EQ(dialog.MessageLabel()->text(), c.message) << c.name << ": the text itself is kept";
    });
    EXPECT_TRUE(run.found) << c.name;
  }
}

TEST(MessageDialogText, ResultMessageBreaksOnlyAtItsCarriageReturn) {
  RunDialog(nullptr, "kotorina", kResultMessage, [&](TMessageDialog& dialog) {
    const QFontMetrics metrics(dialog.MessageLabel()->font());
    const int firstLine = metrics.horizontalAdvance(QStringLiteral("あなたのＨＣは"));
    const int secondLine = metrics.horizontalAdvance(QStringLiteral("   19　　です"));
    EXPECT_NEAR(dialog.MessageLabel()->width(), std::max(firstLine, secondLine), 1);
  });
}

TEST(MessageDialogText, FontShowsJapanese) {
  const QString text = QStringLiteral("あなたのＨＣは　　です");
  QTextLayout layout(text, platform::MessageDialogFont());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  ASSERT_FALSE(runs.isEmpty());
  for (const QGlyphRun& run : runs) {
    for (quint32 glyph : run.glyphIndexes()) EXPECT_NE(glyph, 0u) << run.rawFont().familyName().toStdString();
  }
}

// Metrics computed here from the dialog's font, independently of the dialog.
struct Units {
  int average;
  int height;
  explicit Units(const QFont& font) {
    const QFontMetrics metrics(font);
    average = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    height = metrics.height();
  }
};

void ExpectLaidOut(const TMessageDialog& dialog, const char* what) {
  SCOPED_TRACE(what);
  const Units u(dialog.font());
  ASSERT_GT(u.average, 0);
  const QRect text = dialog.MessageLabel()->geometry();
  const QRect button = dialog.Button()->geometry();
  const QFontMetrics metrics(dialog.font());

  EXPECT_EQ(text.topLeft(), QPoint(2 * u.average, u.height)) << "text margins";
  EXPECT_NEAR(button.width(),
              std::max(12.5 * u.average, metrics.horizontalAdvance(dialog.Button()->text()) + 8.0), 0.5);
  EXPECT_NEAR(button.height(), 1.75 * u.height, 0.5);
  EXPECT_NEAR(button.top() - (text.bottom() + 1), 1.25 * u.height, 0.5) << "gap below the text";
  EXPECT_NEAR(button.left(), dialog.width() - (button.right() + 1), 1) << "button centred";
  EXPECT_EQ(dialog.width(), std::max(text.width(), button.width()) + 4 * u.average) << "client width";
  EXPECT_EQ(dialog.height(), button.bottom() + 1 + u.height) << "bottom margin";
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";
}

TEST(MessageDialogText, DrawnInTheMessageBoxFontWhereThePlatformHasOne) {
  const QFont previous = QApplication::font("QMessageBox");
  QFont messageBoxFont("IPAGothic");
  messageBoxFont.setPointSize(21);
  QApplication::setFont(messageBoxFont, "QMessageBox");
  RunDialog(nullptr, "kotorina", kResultMessage, [&](TMessageDialog& dialog) {
    EXPECT_EQ(dialog.font().family(), "IPAGothic");
    EXPECT_EQ(dialog.font().pointSize(), 21);
    EXPECT_EQ(dialog.Button()->font().pointSize(), 21);
    ExpectLaidOut(dialog, "large message-box font");
  });
  QApplication::setFont(previous, "QMessageBox");
}

TEST(MessageDialogLayout, SizedToTheTextWithMarginsAndButtonBelow) {
  struct Case {
    const char* name;
    QString message;
    QString button;
  };
  const Case cases[] = {
      {"result message, text wider than button", kResultMessage, "OK"},
      {"short text, button wider than text", "1", "OK"},
      {"caption wider than 12.5 average widths", "1", "A very long button caption indeed"},
  };
  for (const Case& c : cases) {
    const DialogRun run = RunDialog(
        nullptr, "kotorina", c.message, [&](TMessageDialog& dialog) { ExpectLaidOut(dialog, c.name); },
        c.button);
    EXPECT_TRUE(run.found) << c.name;
  }
}

TEST(MessageDialogLayout, WrapsWithinHalfTheScreenUnlessOneWordIsWider) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QString manyWords = QString("golf ").repeated(400);
  RunDialog(nullptr, "kotorina", manyWords, [&](TMessageDialog& dialog) {
    EXPECT_LE(dialog.MessageLabel()->width(), screen.width() / 2);
    EXPECT_GT(dialog.MessageLabel()->width(), screen.width() / 2 - 60) << "fills the line";
    EXPECT_GT(LineCount(dialog), 5);
    ExpectLaidOut(dialog, "many words");
  });
  const QString oneWord = QString("W").repeated(300);
  RunDialog(nullptr, "kotorina", oneWord, [&](TMessageDialog& dialog) {
    EXPECT_NEAR(dialog.MessageLabel()->width(), QFontMetrics(dialog.font()).horizontalAdvance(oneWord), 1);
    EXPECT_GT(dialog.MessageLabel()->width(), screen.width() / 2);
    EXPECT_EQ(LineCount(dialog), 1);
    EXPECT_GE(dialog.frameGeometry().left(), screen.left()) << "never left of the screen";
    EXPECT_GE(dialog.frameGeometry().top(), screen.top());
  });
}

TEST(MessageDialogLayout, TabsAreExpanded) {
  RunDialog(nullptr, "kotorina", "a\tb", [&](TMessageDialog& dialog) {
    const QFontMetrics metrics(dialog.font());
    EXPECT_GT(dialog.MessageLabel()->width(), metrics.horizontalAdvance("ab") + metrics.horizontalAdvance(' '));
  });
}

// Under a window manager the frame settles a moment after the window is
// mapped; on the offscreen platform at once.
void ExpectCentredOn(const QWidget& dialog, const QRect& screen) {
  const auto centred = [&] {
    const QPoint offset = dialog.frameGeometry().center() - screen.center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
  };
  EXPECT_TRUE(QTest::qWaitFor(centred, 2000)) << "frame " << dialog.frameGeometry().x() << "," << dialog.frameGeometry().y() << " "
                         << dialog.frameGeometry().width() << "x" << dialog.frameGeometry().height();
}

TEST(MessageDialogLayout, CentredOnTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  RunDialog(nullptr, "kotorina", kResultMessage,
            [&](TMessageDialog& dialog) { ExpectCentredOn(dialog, screen); });
}

// --- Window, keyboard and closing ---------------------------------------------

TEST(MessageDialogWindow, CaptionTitleBarAndFocus) {
  RunDialog(nullptr, "kotorina", kResultMessage, [&](TMessageDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "kotorina");
    EXPECT_EQ(dialog.Button()->text(), "OK");
    EXPECT_TRUE(dialog.Button()->isDefault());
    EXPECT_EQ(dialog.focusWidget(), dialog.Button());
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
  });
}

TEST_F(RecordingClipboard, EveryWayOutClosesAndDestroysTheDialog) {
  struct Case {
    const char* name;
    std::function<void(TMessageDialog&)> act;
  };
  const Case cases[] = {
      {"Enter", [](TMessageDialog& d) { Type(d, Qt::Key_Enter); }},
      {"Return", [](TMessageDialog& d) { Type(d, Qt::Key_Return); }},
      {"Esc", [](TMessageDialog& d) { Type(d, Qt::Key_Escape); }},
      {"Space", [](TMessageDialog& d) { Type(d, Qt::Key_Space); }},
      {"button click", [](TMessageDialog& d) {
         QTest::mouseClick(const_cast<QPushButton*>(d.Button()), Qt::LeftButton);
       }},
      {"close box", [](TMessageDialog& d) { d.close(); }},
      {"window manager's close", [](TMessageDialog& d) { d.windowHandle()->close(); }},
  };
  for (const Case& c : cases) {
    const DialogRun run = RunDialog(nullptr, "kotorina", kResultMessage, c.act);
    EXPECT_TRUE(run.found) << c.name;
    EXPECT_FALSE(run.openAfterBody) << c.name;
    EXPECT_TRUE(run.dialog.isNull()) << c.name << ": destroyed once closed";
  }
  EXPECT_TRUE(copies.empty());
}

TEST_F(RecordingClipboard, OnlyCtrlAloneWithCCopiesAndNothingCopyingCloses) {
  struct Case {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    size_t copies;
  };
  const Case cases[] = {
      {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, 1},
      {"Ctrl+Shift+C", Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, 0},
      {"Ctrl+Alt+C", Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, 0},
      {"C", Qt::Key_C, Qt::NoModifier, 0},
      {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, 0},
  };
  for (const Case& c : cases) {
    copies.clear();
    const DialogRun run = RunDialog(nullptr, "kotorina", kResultMessage,
                                    [&](TMessageDialog& d) { Type(d, c.key, c.modifiers); });
    EXPECT_TRUE(run.openAfterBody) << c.name;
    EXPECT_EQ(copies.size(), c.copies) << c.name;
  }
}

TEST_F(RecordingClipboard, CopiesTwiceWhenAskedTwice) {
  const DialogRun run = RunDialog(nullptr, "kotorina", kResultMessage, [&](TMessageDialog& d) {
    Type(d, Qt::Key_C, Qt::ControlModifier);
    Type(d, Qt::Key_C, Qt::ControlModifier);
  });
  EXPECT_TRUE(run.openAfterBody);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0], copies[1]);
}

// --- Clipboard ----------------------------------------------------------------

const std::string kDivider = "---------------------------\r\n";
const std::string kExpectedClipboard = kDivider + "kotorina\r\n" + kDivider +
                                       "あなたのＨＣは\r   19　　です\r\n" + kDivider + "OK   \r\n" +
                                       kDivider;

TEST(MessageDialogClipboard, CtrlCPutsTheDialogTextOnTheClipboardByteForByte) {
  QGuiApplication::clipboard()->clear();
  const DialogRun run = RunDialog(nullptr, "kotorina", kResultMessage,
                                  [&](TMessageDialog& d) { Type(d, Qt::Key_C, Qt::ControlModifier); });
  EXPECT_TRUE(run.openAfterBody);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data("text/plain").toStdString(), kExpectedClipboard);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8().toStdString(), kExpectedClipboard);
  EXPECT_FALSE(data->hasHtml()) << "plain text only";
}

TEST_F(RecordingClipboard, UnavailableClipboardIsReportedAndTheDialogStaysOpen) {
  available = false;
  std::vector<std::string> reported;
  std::vector<std::string> classes;
  const platform::ErrorReporter previousReporter =
      platform::SetErrorReporter([&](std::exception_ptr error) {
        try {
          std::rethrow_exception(error);
        } catch (const Exception& e) {
          reported.push_back(e.Message());
          classes.emplace_back(e.ClassName());
        }
      });
  const DialogRun run = RunDialog(nullptr, "kotorina", kResultMessage,
                                  [&](TMessageDialog& d) { Type(d, Qt::Key_C, Qt::ControlModifier); });
  platform::SetErrorReporter(previousReporter);

  EXPECT_TRUE(run.openAfterBody);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], "クリップボードを開くことができません");
  EXPECT_EQ(classes[0], "Exception");
  EXPECT_EQ(copies.size(), 1u);
}

// --- The window it belongs to -----------------------------------------------

// A main window with two entry fields, the second one focused, and a button.
struct OwnerWindow : ::testing::Test {
  QWidget window;
  QLineEdit* first = new QLineEdit(&window);
  QLineEdit* second = new QLineEdit(&window);
  QPushButton* button = new QPushButton("calc", &window);
  int clicks = 0;

  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    second->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second->hasFocus(); }));
  }
};

TEST_F(OwnerWindow, TakesNoInputWhileOpenAndGetsActivationAndFocusBack) {
  const DialogRun run = RunDialog(&window, "kotorina", kResultMessage, [&](TMessageDialog& d) {
    EXPECT_EQ(d.parentWidget(), &window);
    QTest::keyClick(window.windowHandle(), Qt::Key_A);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      button->mapTo(&window, button->rect().center()));
    QCoreApplication::processEvents();
    Type(d, Qt::Key_Escape);
  });
  EXPECT_TRUE(run.found);
  EXPECT_FALSE(run.openAfterBody);
  EXPECT_EQ(second->text(), "") << "a key typed into the blocked window";
  EXPECT_EQ(clicks, 0) << "a click into the blocked window";

  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == second; }));
  QTest::keyClick(window.windowHandle(), Qt::Key_A);
  EXPECT_EQ(second->text(), "a") << "input goes through again";
}

TEST_F(OwnerWindow, CentredOnTheScreenOfTheWindowItBelongsTo) {
  const QRect screen = window.screen()->geometry();
  RunDialog(&window, "kotorina", kResultMessage, [&](TMessageDialog& d) {
    EXPECT_EQ(d.screen(), window.screen());
    ExpectCentredOn(d, screen);
  });
}

// Run with two screens side by side (see tests/platform/CMakeLists.txt); on
// one screen there is nothing to tell apart.
TEST_F(OwnerWindow, TwoScreensCentredOnTheMonitorOfTheWindowItBelongsTo) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.size() < 2) GTEST_SKIP() << "needs a second screen";
  QScreen* other = screens[1];
  ASSERT_NE(other, QGuiApplication::primaryScreen());
  window.move(other->geometry().topLeft() + QPoint(40, 40));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.screen() == other; }));

  const QString manyWords = QString("golf ").repeated(400);
  RunDialog(&window, "kotorina", manyWords, [&](TMessageDialog& d) {
    ExpectCentredOn(d, other->geometry());
    EXPECT_LE(d.MessageLabel()->width(), other->geometry().width() / 2);
    EXPECT_GT(d.MessageLabel()->width(), QGuiApplication::primaryScreen()->geometry().width() / 2)
        << "wrapped within half of this monitor, not of the primary one";
  });
}

// --- Quitting -------------------------------------------------------------------

TEST(MessageDialogQuit, EndsAsIfCancelledWhenTheApplicationQuits) {
  struct Case {
    const char* name;
    std::function<void()> quit;
  };
  const Case cases[] = {
      {"quit", [] { QCoreApplication::quit(); }},
      {"exit", [] { QCoreApplication::exit(0); }},
  };
  for (const Case& c : cases) {
    bool returned = false;
    bool wasOpen = false;
    int finishedWith = -1;
    QPointer<QWidget> dialog;
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(0, [&] {
        TMessageDialog* open = OpenDialog();
        dialog = open;
        wasOpen = open != nullptr;
        if (open) QObject::connect(open, &QDialog::finished, [&](int result) { finishedWith = result; });
        c.quit();
      });
      platform::ShowMessageDialog(nullptr, "kotorina", kResultMessage);
      returned = true;
    });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      if (TMessageDialog* open = OpenDialog()) open->close();
      QCoreApplication::exit(1);
    });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << c.name;
    EXPECT_TRUE(wasOpen) << c.name;
    EXPECT_TRUE(returned) << c.name;
    EXPECT_TRUE(dialog.isNull()) << c.name;
    EXPECT_EQ(finishedWith, QDialog::Rejected) << c.name << ": ended as if cancelled";
    EXPECT_EQ(OpenDialog(), nullptr) << c.name;
  }
}

TEST(MessageDialogQuit, ReturnsWhenTheWindowItBelongsToIsDestroyed) {
  auto* window = new QWidget;
  window->show();
  QPointer<TMessageDialog> dialog;
  QTimer::singleShot(0, [&] {
    dialog = OpenDialog();
    delete window;
  });
  const Watchdog watchdog;
  platform::ShowMessageDialog(window, "kotorina", kResultMessage);
  EXPECT_FALSE(watchdog.Fired()) << "the dialog had to be ended by the watchdog";
  EXPECT_TRUE(dialog.isNull());
}

TEST(MessageDialogQuit, ReturnsWhenHiddenByOtherMeans) {
  const DialogRun run = RunDialog(nullptr, "kotorina", kResultMessage, [](TMessageDialog& d) { d.hide(); });
  EXPECT_FALSE(run.openAfterBody);
  EXPECT_TRUE(run.dialog.isNull());
}

}  // namespace
