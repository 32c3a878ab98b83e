#include "platform/button.h"

#include <QKeyEvent>

#include "platform/error_boundary.h"

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  setDefault(false);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, &TButton::RunClickHandler);
}

void TButton::RunClickHandler() {
  if (on_click_) platform::Guarded([this] { on_click_(this); });
}

void TButton::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    QPushButton::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) click();
      event->accept();
      return;
    case Qt::Key_Right:
    case Qt::Key_Down:
      focusNextPrevChild(true);
      event->accept();
      return;
    case Qt::Key_Left:
    case Qt::Key_Up:
      focusNextPrevChild(false);
      event->accept();
      return;
    default:
      QPushButton::keyPressEvent(event);
  }
}
