#pragma once
// Placeholder for the picture box until the picture formats land: it keeps
// no picture and shows only its parent's colour.

#include <cstdint>
#include <span>

#include <QWidget>

class TImage : public QWidget {
  Q_OBJECT
 public:
  explicit TImage(QWidget* parent);
  void LoadPictureFromTaggedData(std::span<const std::uint8_t> data);
};
