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
  if (!color) {
    // An empty palette inherits everything, the parent's colour among it.
    setPalette(QPalette());
    return;
  }
  QPalette colours = palette();
  colours.setColor(QPalette::Window, color->ToQColor());
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
