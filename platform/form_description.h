#pragma once
// A window as stored data: its own properties and its controls in the order
// in which they are created. The form builder (platform/form.h) turns such a
// description into a live window; the description itself knows nothing of Qt
// widgets. Texts are UTF-8; positions and sizes are pixels at the density the
// description was made for (PixelsPerInch).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/colors.h"

namespace platform {

enum class FontCharset : std::uint8_t { Default, ShiftJis };

struct FontDescription {
  std::string name;
  // Negative: the height of the characters in pixels, without the space above
  // them (-12 for 12-pixel characters). Positive: the height of the whole
  // character cell. Both are taken as the font's pixel size.
  int height = -12;
  FontCharset charset = FontCharset::Default;
  TColor color = clWindowText;
};

// The kind of frame the window manager draws around the window.
enum class BorderStyle : std::uint8_t { Sizeable, Single, Dialog, None };

struct BorderIcons {
  bool systemMenu = true;
  bool minimize = true;
  bool maximize = true;
};

enum class WindowState : std::uint8_t { Normal, Minimized, Maximized };

struct WindowDescription {
  std::string caption;
  // The frame's position on the screen and its designed size.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // The client area takes the controls' extents plus BorderWidth on every
  // side, and no other size.
  bool autoSize = false;
  int borderWidth = 0;
  TColor color = clBtnFace;
  FontDescription font;
  // The density and the height of "0" in the font that the layout was made
  // for; the builder rescales the layout when the screen differs.
  int pixelsPerInch = 96;
  int textHeight = 12;
  BorderStyle borderStyle = BorderStyle::Sizeable;
  BorderIcons borderIcons;
  WindowState windowState = WindowState::Normal;
};

struct ControlDescription {
  std::string name;       // the control's name, unique within the window
  std::string className;  // looked up among the registered control classes
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string text;  // a label's or button's caption, an entry field's text
  // Position in the Tab cycle; none for controls that never take the focus.
  std::optional<int> tabOrder;
  // The control's own colour (a label's background, an entry field's
  // ground); none where it takes its parent's.
  std::optional<TColor> color;
  // The name of the click handler, looked up in the window's handler table.
  std::string onClick;
  // A picture in its tagged form: a length byte, the picture class name, the
  // byte count as a 32-bit little-endian number, the picture file.
  std::vector<std::uint8_t> picture;
  // What a screen reader announces for the control, where its caption or
  // text does not say it.
  std::string accessibleName;
};

struct FormDescription {
  std::string name;
  std::string className;
  WindowDescription window;
  std::vector<ControlDescription> controls;
};

}  // namespace platform
