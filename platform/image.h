#pragma once
// TImage: a box showing a picture at the picture's own size, unscaled, with
// its top-left corner at the box's top-left corner. Whatever of the box the
// picture does not cover shows the window colour.

#include <cstdint>
#include <span>

#include <QWidget>

#include "platform/picture.h"

class TImage : public QWidget {
  Q_OBJECT
 public:
  explicit TImage(QWidget* parent);

  // Loads the picture from its tagged form (see platform/picture.h). Data
  // that cannot be used leaves the box empty; it never throws.
  void LoadPictureFromTaggedData(std::span<const std::uint8_t> data);
  TPicture& Picture() { return picture_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TPicture picture_;
};
