#include "platform/shape.h"

#include <QPainter>

TShape::TShape(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TShape::SetBrushColor(const QColor& color) {
  brush_ = color;
  update();
}

void TShape::SetPenColor(const QColor& color) {
  pen_ = color;
  update();
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(pen_);
  pen.setWidth(1);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(brush_);
  // A one-pixel pen on a rectangle of w - 1 by h - 1 covers exactly the
  // box's outermost pixels.
  painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
}
