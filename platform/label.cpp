#include "platform/label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPalette>

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setMargin(0);
  setIndent(0);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  AdjustBounds();
}

void TLabel::SetCaption(const QString& caption) {
  setText(caption);
  AdjustBounds();
}

void TLabel::SetColor(std::optional<TColor> color) {
  QPalette colours = palette();
  if (color) {
    colours.setColor(QPalette::Window, color->ToQColor());
  } else if (parentWidget()) {
    colours.setColor(QPalette::Window, parentWidget()->palette().color(QPalette::Window));
  }
  setPalette(colours);
}

void TLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustBounds();
}

void TLabel::AdjustBounds() {
  const QFontMetrics metrics(font());
  const QSize size(metrics.horizontalAdvance(text()), metrics.height());
  if (this->size() != size) resize(size);
}
