#pragma once
// The start state a launcher may ask of a program's main window, as the
// classic show-command numbers. Linux hands a process no such thing today, so
// the default applies; a platform that passes one feeds it in here.

#include <Qt>

namespace platform {

inline constexpr int kShowMaximized = 3;
inline constexpr int kShowMinimizedNoActivate = 7;
inline constexpr int kShowDefault = 10;

// The show command this process was started with.
int StartShowCommand();

// The state the main window opens in: maximized for 3 (its size stays as
// stored), minimized for 7, and the stored state for anything else.
Qt::WindowStates InitialWindowState(int show_command, Qt::WindowStates stored);

}  // namespace platform
