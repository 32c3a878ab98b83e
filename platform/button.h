#pragma once
// A standard push button. Space and Enter press it while it has the focus
// (a plain Qt button outside a dialog ignores Enter); the arrow keys move the
// focus along the window's Tab cycle, Right and Down forwards, Left and Up
// backwards. It is never a window's default or cancel button. Its click
// handler runs inside the error boundary: an error it raises goes to the
// error report, never up through Qt.

#include <functional>

#include <QObject>
#include <QPushButton>
#include <QString>

class TButton : public QPushButton {
  Q_OBJECT
 public:
  using ClickHandler = std::function<void(QObject* sender)>;

  explicit TButton(QWidget* parent);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  void SetOnClick(ClickHandler handler) { on_click_ = std::move(handler); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RunClickHandler();

  ClickHandler on_click_;
};
