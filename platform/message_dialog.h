#pragma once
// A modal message dialog: a caption, a text, one button.
//
// ShowMessageDialog builds the dialog, runs it modal to the whole application
// in a nested event loop and destroys it once it is closed. Enter, Esc, Space
// on the button, the button itself, the close box and the window manager's
// close all end it the same way. Ctrl+C beeps and copies the dialog's text
// (caption, message and button between dividers) to the clipboard as plain
// text, leaving the dialog open.
//
// The dialog is sized to its text, in the message-box font: the text wraps
// within half the screen width, with margins of two average character widths
// at the sides and one character height above and below, and the button
// centred below it. It opens centred on the screen, or on the monitor of the
// window that was active when that is another one, and afterwards that window
// is active again with its focus where it was.

#include <QDialog>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QString>
#include <functional>

class QEventLoop;
class QLabel;
class QPushButton;
class QScreen;

namespace platform {

// Shows the message and returns once the user has closed the dialog, or the
// application has been told to quit. activeWindow is the window the dialog
// belongs to (the one to give the activation back to); with nullptr the
// application's active window is taken.
void ShowMessageDialog(QWidget* activeWindow, const QString& caption, const QString& message,
                       const QString& buttonCaption = QStringLiteral("OK"));

// Puts plain text on the clipboard; false when the clipboard cannot be taken
// (Ctrl+C then raises Exception "クリップボードを開くことができません").
using ClipboardWriter = std::function<bool(const QString& text)>;
bool WriteSystemClipboard(const QString& text);
// Replaces the writer every message dialog copies with; returns the previous
// one. WriteSystemClipboard is the default; tests install their own.
ClipboardWriter SetClipboardWriter(ClipboardWriter writer);

// The font message dialogs are drawn in: the platform's message-box font
// where it has one, else the application font, with a Japanese fallback.
QFont MessageDialogFont();

// The dialog itself. ShowMessageDialog is the way to use it; the class is
// public so that tests can look inside while it is open.
class TMessageDialog : public QDialog {
  Q_OBJECT

 public:
  TMessageDialog(QWidget* parent, QScreen* screen, const QString& caption, const QString& message,
                 const QString& buttonCaption);

  // Runs the dialog modally until it is closed or the application quits.
  void Execute();

  // What Ctrl+C puts on the clipboard.
  QString ClipboardText() const;

  const QLabel* MessageLabel() const { return label_; }
  const QPushButton* Button() const { return button_; }

  void setVisible(bool visible) override;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CentreOnScreen();
  void CopyToClipboard();

  QString message_;
  QRect screenArea_;
  QMargins estimatedFrame_;
  bool awaitingFrame_ = true;
  QEventLoop* loop_ = nullptr;
  QLabel* label_;
  QPushButton* button_;
};

}  // namespace platform
