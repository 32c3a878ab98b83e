#pragma once
// The one boundary between the program's own code and Qt's frames. Every
// handler the platform layer calls on the program's behalf (a click, a key in
// a dialog) runs through Guarded, so no C++ exception ever unwinds through Qt.
// What escapes goes to the error reporter: the application's error report
// once it exists.

#include <exception>
#include <functional>
#include <utility>

namespace platform {

using ErrorReporter = std::function<void(std::exception_ptr)>;

// Replaces the reporter; returns the previous one. Tests install their own.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Hands the error to the reporter. Never throws: an error escaping the
// reporter itself is dropped rather than allowed into Qt.
void ReportError(std::exception_ptr error) noexcept;

template <class Handler>
void Guarded(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    ReportError(std::current_exception());
  }
}

}  // namespace platform
