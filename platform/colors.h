#pragma once
// Colours as the window descriptions name them: either a fixed RGB value or
// one of the system's colours, which is looked up in the desktop's palette
// when a window is built, so the program follows the user's theme.

#include <cstdint>

#include <QColor>

enum class SystemColor : std::uint8_t {
  BtnFace,       // face of buttons and of dialog-like windows
  BtnHighlight,  // the lit edge of a raised button
  Window,        // background of entry fields
  WindowText,    // text in windows and entry fields
};

class TColor {
 public:
  static constexpr TColor Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return TColor(false, static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue);
  }
  static constexpr TColor System(SystemColor color) { return TColor(true, static_cast<std::uint32_t>(color)); }

  constexpr bool IsSystem() const { return system_; }
  // The colour as it is painted now: a system colour is resolved through the
  // application's palette.
  QColor ToQColor() const;

  friend constexpr bool operator==(TColor, TColor) = default;

 private:
  constexpr TColor(bool system, std::uint32_t value) : system_(system), value_(value) {}
  bool system_;
  std::uint32_t value_;
};

inline constexpr TColor clBtnFace = TColor::System(SystemColor::BtnFace);
inline constexpr TColor clBtnHighlight = TColor::System(SystemColor::BtnHighlight);
inline constexpr TColor clWindow = TColor::System(SystemColor::Window);
inline constexpr TColor clWindowText = TColor::System(SystemColor::WindowText);
inline constexpr TColor clWhite = TColor::Rgb(255, 255, 255);
inline constexpr TColor clBlack = TColor::Rgb(0, 0, 0);
inline constexpr TColor clCream = TColor::Rgb(255, 251, 240);
