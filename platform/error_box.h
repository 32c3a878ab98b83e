#pragma once
// The program's stop box: a standard message box with the stop icon, a
// caption, a text and one OK button, modal to the whole program. It shows
// the error report (captioned with the program's title) and the last-resort
// reports. A text too long for the screen scrolls inside the box, so the box
// always fits and its OK button stays in reach; the text itself is never cut.

#include <QDialog>
#include <QString>
#include <string>

class QPushButton;
class QTextEdit;

namespace platform {

// The error report's text for a message: a full stop is added when the last
// character sorts after "." (a letter, a digit, "/", ":", "?", any non-ASCII
// character), never after ".", a space, a line break, "!", ")", "," or "-".
// An empty message stays empty.
std::string WithFullStop(std::string message);

class ErrorBox : public QDialog {
  Q_OBJECT
 public:
  ErrorBox(const QString& caption, const QString& text, QWidget* parent = nullptr);

  // Shows a box over the active window (or `fallback_parent` when no window
  // of the program is active), waits until it is dismissed, then re-activates
  // the window that was active.
  static void Show(const QString& caption, const QString& text, QWidget* fallback_parent = nullptr);

  QString Text() const;
  QPushButton* OkButton() const { return ok_; }
  QTextEdit* TextView() const { return text_; }

 private:
  void FitText(const QString& text);
  void CopyText() const;

  QTextEdit* text_;
  QPushButton* ok_;
};

}  // namespace platform
