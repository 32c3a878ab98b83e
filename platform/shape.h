#pragma once
// A rectangle filling its whole box: a solid outline one pixel wide around a
// solid fill, white inside black unless told otherwise.

#include <QColor>
#include <QWidget>

class TShape : public QWidget {
  Q_OBJECT
 public:
  explicit TShape(QWidget* parent);

  void SetBrushColor(const QColor& color);
  void SetPenColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor brush_ = Qt::white;
  QColor pen_ = Qt::black;
};
