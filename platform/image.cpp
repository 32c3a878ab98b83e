#include "platform/image.h"

#include <QPainter>
#include <QPaintEvent>

#include "platform/error_boundary.h"

TImage::TImage(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  // paintEvent covers every pixel of the box itself.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::LoadPictureFromTaggedData(std::span<const std::uint8_t> data) {
  picture_.LoadFromTaggedData(data);
  update();
}

QSize TImage::sizeHint() const {
  return picture_.Empty() ? QSize() : QSize(picture_.Width(), picture_.Height());
}

void TImage::paintEvent(QPaintEvent* event) {
  platform::Guarded([&] {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    picture_.Draw(painter, QPoint(0, 0));
  });
}
