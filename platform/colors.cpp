#include "platform/colors.h"

#include <QApplication>
#include <QPalette>

QColor TColor::ToQColor() const {
  if (!system_) return QColor::fromRgb(value_ >> 16 & 0xFF, value_ >> 8 & 0xFF, value_ & 0xFF);
  const QPalette palette = QApplication::palette();
  switch (static_cast<SystemColor>(value_)) {
    case SystemColor::BtnFace:
      return palette.color(QPalette::Active, QPalette::Button);
    case SystemColor::BtnHighlight:
      return palette.color(QPalette::Active, QPalette::Light);
    case SystemColor::Window:
      return palette.color(QPalette::Active, QPalette::Base);
    case SystemColor::WindowText:
      return palette.color(QPalette::Active, QPalette::WindowText);
  }
  return palette.color(QPalette::Active, QPalette::Button);
}
