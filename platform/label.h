#pragma once
// Static text on one line, left-aligned. The label takes the size of its
// caption as drawn in its font, keeping its top-left corner, and fills that
// rectangle with its colour before drawing the text, so it shows its own
// ground even over another control. It never takes the focus.

#include <optional>

#include <QLabel>
#include <QString>

#include "platform/colors.h"

class TLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TLabel(QWidget* parent);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);
  // The label's own ground; none to show its parent's colour.
  void SetColor(std::optional<TColor> color);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void AdjustBounds();
};
