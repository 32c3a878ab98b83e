#pragma once
// The end of the user's session. When the user logs off or the system shuts
// down, the session's processes get SIGTERM (or SIGHUP from a closing
// terminal); the program then ends as after a close of its main window, with
// exit code 0, rather than being killed mid-way.

#include <functional>

namespace platform {

// Calls `on_session_end` from the event loop when SIGTERM or SIGHUP arrives.
// The signal only writes a byte to a pipe that the loop watches, so the loop
// keeps sleeping until then. Call once, after the Qt application exists.
void WatchSessionEnd(std::function<void()> on_session_end);

// At log-off the display server goes away under a running program, and Qt
// then ends the process from inside the loop with exit code 1. When that
// happens while `loop_running()` is true, the process ends with 0 instead,
// as after a close: the session is over, and nothing is left to clean up
// that the end of the process does not.
void EndSessionOnDisplayLoss(bool (*loop_running)());

// Restores the default handling of the two signals.
void StopWatchingSessionEnd();

}  // namespace platform
