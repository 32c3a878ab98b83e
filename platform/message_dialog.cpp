#include "platform/message_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "core/exception.h"
#include "platform/error_boundary.h"

namespace platform {
namespace {

constexpr const char* kClipboardUnavailable = "クリップボードを開くことができません";

// Families that carry the Japanese glyphs, tried in this order after the
// message-box font's own family.
const QStringList& JapaneseFallbackFamilies() {
  static const QStringList families = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                       QStringLiteral("Noto Sans CJK JP"),
                                       QStringLiteral("Noto Sans JP")};
  return families;
}

ClipboardWriter& CurrentClipboardWriter() {
  static ClipboardWriter writer = WriteSystemClipboard;
  return writer;
}

// Qt's text layout breaks lines at U+2028 but not at a lone carriage return,
// so every line end the message may carry (CR, CR LF, LF) becomes one.
QString WithLineSeparators(const QString& message) {
  QString text;
  text.reserve(message.size());
  for (qsizetype i = 0; i < message.size(); ++i) {
    const QChar c = message[i];
    if (c == u'\r') {
      if (i + 1 < message.size() && message[i + 1] == u'\n') ++i;
      text += QChar::LineSeparator;
    } else if (c == u'\n') {
      text += QChar::LineSeparator;
    } else {
      text += c;
    }
  }
  return text;
}

// Metrics of the dialog font the layout is built from. The average width is
// measured over the 52 Latin letters and cut to a whole pixel; the height is
// the height of that same text.
struct DialogUnits {
  int averageCharWidth;
  int charHeight;

  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    averageCharWidth = metrics.horizontalAdvance(letters) / 52;
    charHeight = metrics.height();
  }
  // Fractions of the units, rounded to the nearest pixel.
  int Widths(int quarters) const { return (quarters * averageCharWidth + 2) / 4; }
  int Heights(int quarters) const { return (quarters * charHeight + 2) / 4; }
};

// The message as a static text: laid out once, word-wrapped within the width
// it is given (a word wider than that widens it), tabs expanded to every
// eighth average character, and painted exactly as measured. It stays a
// QLabel so that accessibility tools read the message from it.
class MessageText : public QLabel {
 public:
  MessageText(const QString& message, const QFont& font, int tabWidth, int wrapWidth,
              QWidget* parent)
      : QLabel(message, parent), layout_(WithLineSeparators(message), font) {
    setTextFormat(Qt::PlainText);
    setFont(font);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTabStopDistance(std::max(1, tabWidth));
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);

    qreal width = 0;
    qreal height = 0;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(wrapWidth);
      line.setPosition(QPointF(0, height));
      height += line.height();
      width = std::max(width, line.naturalTextWidth());
    }
    layout_.endLayout();
    extent_ = QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
  }

  QSize Extent() const { return extent_; }
  QSize sizeHint() const override { return extent_; }
  QSize minimumSizeHint() const override { return extent_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout_.draw(&painter, QPointF(0, 0));
  }

 private:
  QTextLayout layout_;
  QSize extent_;
};

// The screen the dialog opens on: the monitor of the window it belongs to,
// else the primary screen.
QScreen* DialogScreen(QWidget* window) {
  if (window) {
    if (QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center())) return screen;
    if (QScreen* screen = window->screen()) return screen;
  }
  return QGuiApplication::primaryScreen();
}

}  // namespace

QFont MessageDialogFont() {
  // Where the platform theme has a message-box font, Qt registers it for the
  // QMessageBox class; otherwise this is the application font.
  QFont font = QApplication::font("QMessageBox");
  QStringList families = font.families();
  if (families.isEmpty()) families << font.family();
  for (const QString& family : JapaneseFallbackFamilies()) {
    if (!families.contains(family, Qt::CaseInsensitive)) families << family;
  }
  font.setFamilies(families);
  return font;
}

bool WriteSystemClipboard(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(text, QClipboard::Clipboard);
  // On X11 the clipboard is a selection that we must own to serve: when the
  // server does not give it to us, what we set is not what others paste.
  // Asking the owner for its text instead could stall for seconds.
  if (clipboard->ownsClipboard()) return true;
  if (QGuiApplication::platformName() == QLatin1String("xcb")) return false;
  // Platforms without the notion of ownership keep the text in the process,
  // and reading it back tells.
  return clipboard->text(QClipboard::Clipboard) == text;
}

ClipboardWriter SetClipboardWriter(ClipboardWriter writer) {
  return std::exchange(CurrentClipboardWriter(), std::move(writer));
}

TMessageDialog::TMessageDialog(QWidget* parent, QScreen* screen, const QString& caption,
                               const QString& message, const QString& buttonCaption)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      message_(message),
      label_(nullptr),
      button_(nullptr) {
  setWindowTitle(caption);
  setFont(MessageDialogFont());

  const DialogUnits units(font());
  const QRect screenArea = (screen ? screen : QGuiApplication::primaryScreen())->geometry();
  auto* text = new MessageText(message, font(), 8 * units.averageCharWidth,
                               std::max(1, screenArea.width() / 2), this);
  label_ = text;

  button_ = new QPushButton(buttonCaption, this);
  button_->setDefault(true);
  button_->setAutoDefault(true);
  // The one button is the default and the cancel button at once: every way
  // out of the dialog ends it as cancelled.
  connect(button_, &QPushButton::clicked, this, &QDialog::reject);

  // Margins of two average character widths at the sides and one character
  // height above and below; the button 12.5 average widths wide (wider when
  // its caption needs it) and 1.75 character heights high, 1.25 character
  // heights below the text.
  const int sideMargin = units.Widths(8);
  const int topMargin = units.charHeight;
  const int buttonWidth =
      std::max(units.Widths(50), QFontMetrics(font()).horizontalAdvance(buttonCaption) + 8);
  const int buttonHeight = units.Heights(7);
  const int buttonGap = units.Heights(5);
  const QSize textSize = text->Extent();

  const int clientWidth = std::max(textSize.width(), buttonWidth) + 2 * sideMargin;
  const int buttonTop = topMargin + textSize.height() + buttonGap;
  const int clientHeight = buttonTop + buttonHeight + topMargin;

  text->setGeometry(QRect(QPoint(sideMargin, topMargin), textSize));
  button_->setGeometry((clientWidth - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight);
  setFixedSize(clientWidth, clientHeight);

  screenArea_ = screenArea;
  CentreOnScreen();
}

bool TMessageDialog::event(QEvent* event) {
  // Under a window manager the real frame arrives only after the window is
  // mapped, and a dialog's frame may differ from its owner's (no resize
  // handle): centre once more when the window first moves into its frame.
  if (event->type() == QEvent::Move && awaitingFrame_ && windowHandle() &&
      !windowHandle()->frameMargins().isNull()) {
    awaitingFrame_ = false;
    if (windowHandle()->frameMargins() != estimatedFrame_) CentreOnScreen();
  }
  return QDialog::event(event);
}

void TMessageDialog::CentreOnScreen() {
  // The frame counts: once the window is shown its own frame is known; before
  // that, the frame of the window it belongs to is the best estimate (same
  // window manager, same decoration).
  QMargins frame;
  if (windowHandle()) frame = windowHandle()->frameMargins();
  if (frame.isNull() && parentWidget() && parentWidget()->windowHandle()) {
    frame = parentWidget()->windowHandle()->frameMargins();
  }
  estimatedFrame_ = frame;
  const int frameWidth = width() + frame.left() + frame.right();
  const int frameHeight = height() + frame.top() + frame.bottom();
  move(std::max(screenArea_.left(), screenArea_.left() + (screenArea_.width() - frameWidth) / 2),
       std::max(screenArea_.top(), screenArea_.top() + (screenArea_.height() - frameHeight) / 2));
}

void TMessageDialog::Execute() {
  setWindowModality(Qt::ApplicationModal);
  QPointer<TMessageDialog> alive(this);
  QEventLoop loop;
  // The loop ends when the dialog is hidden (every way of closing it hides
  // it) or destroyed with the window it belongs to.
  connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop_ = &loop;
  show();
  CentreOnScreen();
  button_->setFocus(Qt::OtherFocusReason);
  // QCoreApplication::exit ends every running loop, this one too.
  if (isVisible()) loop.exec(QEventLoop::DialogExec);
  // Destroyed with the window it belonged to: nothing left to end.
  if (!alive) return;
  loop_ = nullptr;
  // Told to quit while open: end as if cancelled.
  if (isVisible()) reject();
}

void TMessageDialog::setVisible(bool visible) {
  QDialog::setVisible(visible);
  if (!visible && loop_) loop_->quit();
}

QString TMessageDialog::ClipboardText() const {
  const QString divider = QString(27, u'-') + QStringLiteral("\r\n");
  const QString lineEnd = QStringLiteral("\r\n");
  return divider + windowTitle() + lineEnd + divider + message_ + lineEnd + divider +
         button_->text() + QStringLiteral("   ") + lineEnd + divider;
}

void TMessageDialog::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers held = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                           Qt::AltModifier | Qt::MetaModifier);
  if (event->key() == Qt::Key_C && held == Qt::ControlModifier) {
    event->accept();
    Guarded([this] { CopyToClipboard(); });
    return;
  }
  QDialog::keyPressEvent(event);
}

void TMessageDialog::CopyToClipboard() {
  QApplication::beep();
  const ClipboardWriter writer = CurrentClipboardWriter();
  if (!writer || !writer(ClipboardText())) throw Exception(kClipboardUnavailable);
}

void ShowMessageDialog(QWidget* activeWindow, const QString& caption, const QString& message,
                       const QString& buttonCaption) {
  QPointer<QWidget> window = activeWindow ? activeWindow->window() : QApplication::activeWindow();

  QPointer<TMessageDialog> dialog =
      new TMessageDialog(window, DialogScreen(window), caption, message, buttonCaption);
  dialog->Execute();
  delete dialog.data();

  // Give the activation back to the window the dialog came from; activated,
  // it gives the focus back to the control that had it.
  if (window && window->isVisible()) window->activateWindow();
}

}  // namespace platform
