#include "platform/error_box.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string_view>

namespace platform {
namespace {

// The last whole UTF-8 character of a non-empty text. A trailing byte that is
// not part of a well-formed character stands for itself.
std::string_view LastCharacter(std::string_view text) {
  std::size_t start = text.size() - 1;
  std::size_t steps = 0;
  while (start > 0 && steps < 3 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
    --start;
    ++steps;
  }
  if (static_cast<unsigned char>(text[start]) < 0xC0 && start != text.size() - 1) start = text.size() - 1;
  return text.substr(start);
}

// Longer than any word of a message: a run beyond this wraps anywhere.
constexpr qsizetype kLongestWord = 200;

qsizetype LongestUnbrokenRun(const QString& text) {
  qsizetype longest = 0, run = 0;
  for (const QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    longest = std::max(longest, run);
  }
  return longest;
}

QScreen* ScreenFor(const QWidget* parent) {
  if (parent != nullptr && parent->screen() != nullptr) return parent->screen();
  return QGuiApplication::primaryScreen();
}

}  // namespace

std::string WithFullStop(std::string message) {
  // Compared as strings, byte by byte as unsigned values: every non-ASCII
  // character begins with a byte of 0xC0 or more and so sorts after ".".
  if (!message.empty() && LastCharacter(message) > std::string_view(".")) message += '.';
  return message;
}

ErrorBox::ErrorBox(const QString& caption, const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      text_(new QTextEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)) {
  setWindowTitle(caption);
  setWindowModality(Qt::ApplicationModal);
  setFont(QApplication::font("QMessageBox"));

  auto* icon = new QLabel(this);
  const int icon_size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this).pixmap(icon_size, icon_size));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  // A read-only text view that looks like a message box's label but can
  // wrap a word longer than a line and scroll a text taller than the screen.
  text_->setReadOnly(true);
  text_->setAcceptRichText(false);
  text_->setFrameShape(QFrame::NoFrame);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setFocusPolicy(Qt::ClickFocus);
  text_->setContextMenuPolicy(Qt::NoContextMenu);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Wrapping at word boundaries rescans an overlong word for every line it
  // fills, which takes seconds for a pasted text of 100,000 characters; such
  // a text wraps anywhere instead, in a few milliseconds.
  text_->setWordWrapMode(LongestUnbrokenRun(text) > kLongestWord ? QTextOption::WrapAnywhere
                                                                   : QTextOption::WrapAtWordBoundaryOrAnywhere);
  text_->viewport()->setAutoFillBackground(false);
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  text_->setPalette(palette);
  text_->document()->setDocumentMargin(0);

  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* message_row = new QHBoxLayout;
  message_row->setSpacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this) * 2 + 4);
  message_row->addWidget(icon, 0, Qt::AlignTop);
  message_row->addWidget(text_, 1);
  auto* button_row = new QHBoxLayout;
  button_row->addStretch(1);
  button_row->addWidget(ok_);
  button_row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(message_row);
  layout->addSpacing(6);
  layout->addLayout(button_row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Ctrl+C copies the message when nothing in it is selected (a selection is
  // copied by the text view itself).
  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, &ErrorBox::CopyText);

  FitText(text);
  ok_->setFocus();
}

void ErrorBox::FitText(const QString& text) {
  const QRect screen = ScreenFor(parentWidget())->availableGeometry();
  const QFontMetrics metrics(text_->font());

  // As wide as the widest line, up to half the screen; a longer line wraps.
  int natural = 0;
  for (const QStringView line : QStringView(text).split(u'\n')) {
    // A line far longer than the screen is wide cannot set the width: stop
    // measuring it early.
    natural = std::max(natural, metrics.horizontalAdvance(line.left(screen.width()).toString()));
  }
  const int max_width = std::max(240, std::min(screen.width() / 2, 640));
  int width = std::clamp(natural + 2, 1, max_width);

  // The text is laid out once, at its final width: a long text laid out at
  // some passing width first would cost seconds rather than milliseconds.
  text_->setLineWrapMode(QTextEdit::FixedPixelWidth);
  text_->setLineWrapColumnOrWidth(width);
  text_->setPlainText(text);
  int height = static_cast<int>(std::ceil(text_->document()->size().height()));

  // Room for the caption, the margins and the button row: a text taller than
  // what is left scrolls.
  const int chrome = ok_->sizeHint().height() + 6 * metrics.height() + 60;
  const int max_height = std::max(metrics.height() * 3, screen.height() - chrome);
  if (height > max_height) {
    height = max_height;
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    width += text_->verticalScrollBar()->sizeHint().width();
  } else {
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  text_->setFixedSize(width, std::max(height, metrics.height()));
}

QString ErrorBox::Text() const { return text_->toPlainText(); }

void ErrorBox::CopyText() const { QGuiApplication::clipboard()->setText(Text()); }

void ErrorBox::Show(const QString& caption, const QString& text, QWidget* fallback_parent) {
  QPointer<QWidget> active = QApplication::activeWindow();
  QWidget* parent = active ? active.data() : (fallback_parent && fallback_parent->isVisible() ? fallback_parent : nullptr);
  ErrorBox box(caption, text, parent);
  box.exec();
  if (active) {
    active->activateWindow();
    active->raise();
  }
}

}  // namespace platform
