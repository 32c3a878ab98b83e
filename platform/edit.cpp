#include "platform/edit.h"

#include <limits>

#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  // Qt would silently cut the text at 32767 characters.
  setMaxLength(std::numeric_limits<int>::max());
  setFocusPolicy(Qt::StrongFocus);
  ShowSelection(false);
  AdjustHeight();
}

void TEdit::SetColors(const QColor& field, const QColor& text) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, field);
  colours.setColor(QPalette::Text, text);
  setPalette(colours);
  ShowSelection(hasFocus());
}

int TEdit::AutoHeight() const { return QFontMetrics(font()).height() + 8; }

void TEdit::AdjustHeight() {
  if (height() != AutoHeight()) resize(width(), AutoHeight());
}

void TEdit::focusInEvent(QFocusEvent* event) {
  ShowSelection(true);
  QLineEdit::focusInEvent(event);
  // Getting the focus back with the window (after a dialog, say) keeps
  // whatever caret and selection the field had; a left click puts the caret
  // where it was pressed. Every other way in selects the whole text.
  const bool byLeftPress =
      event->reason() == Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::LeftButton);
  const bool keepsState = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
  if (!byLeftPress && !keepsState) selectAll();
}

void TEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  ShowSelection(false);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      // A plain line edit passes these on to its window, where they could
      // press a button or close something. Here they mean nothing.
      event->accept();
      return;
    default:
      QLineEdit::keyPressEvent(event);
  }
}

void TEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustHeight();
}

// A selection kept while the field is unfocused (the window lost the focus to
// a dialog, say) is painted in the field's own colours, that is not at all.
void TEdit::ShowSelection(bool shown) {
  QPalette colours = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    if (shown) {
      colours.setColor(group, QPalette::Highlight, QGuiApplication::palette().color(group, QPalette::Highlight));
      colours.setColor(group, QPalette::HighlightedText,
                       QGuiApplication::palette().color(group, QPalette::HighlightedText));
    } else {
      colours.setColor(group, QPalette::Highlight, colours.color(group, QPalette::Base));
      colours.setColor(group, QPalette::HighlightedText, colours.color(group, QPalette::Text));
    }
  }
  setPalette(colours);
}
