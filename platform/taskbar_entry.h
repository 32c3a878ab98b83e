#pragma once
// The program's one taskbar entry. On X11 a taskbar labels an entry with the
// window's icon name and groups it by its class hint, while the title bar
// shows the window's name: so the icon name (WM_ICON_NAME, _NET_WM_ICON_NAME)
// and the class hint (WM_CLASS) carry the program's title and the name stays
// the window's own caption. The icon (_NET_WM_ICON) is the application icon,
// which Qt writes itself.

#include <QString>

class QWidget;

namespace platform {

// Writes the label onto the window's native X11 window. Qt writes some of
// these properties itself when it creates or retitles a window, so the
// caller repeats this after every such event. Does nothing off X11.
void LabelTaskbarEntry(QWidget* window, const QString& label);

}  // namespace platform
