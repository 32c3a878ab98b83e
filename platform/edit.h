#pragma once
// A single-line entry field. Its whole text is selected whenever it receives
// the focus other than by a left mouse press, so that typing replaces it; a
// left press places the caret. The selection is shown only while the field
// has the focus. Enter and Esc do nothing in it and go nowhere else. It keeps
// as much text as the user types: there is no length limit of its own. Its
// height follows its font: one line of text plus four pixels above and below.

#include <QColor>
#include <QLineEdit>
#include <QString>

class TEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TEdit(QWidget* parent);

  QString Text() const { return text(); }
  void SetText(const QString& text) { setText(text); }

  // The field's ground and its text.
  void SetColors(const QColor& field, const QColor& text);

  // The height the field takes for its current font.
  int AutoHeight() const;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void AdjustHeight();
  void ShowSelection(bool shown);
};
