#pragma once
// The platform's own start-up and shutdown, each in its fixed order. Start-up:
// the floating-point environment, the connection to the display (Qt's
// application object), the locale's decimal separator, the application
// object with its title and icon, the picture formats, the watch on the
// session's end. Shutdown runs the same steps backwards.
//
// A failure anywhere in start-up is the platform's run-time error 217: the
// line "Runtime error 217 at <address>" goes to standard error, and to a box
// captioned "Error" when a display is up. With no display at all Qt would
// abort the process; the start-up catches that too and exits with 217.

#include <memory>

class TApplication;

namespace platform {

class CaretRest;
class GuardedApplication;

class Runtime {
 public:
  // `argc` must outlive the object (Qt keeps a reference to it).
  Runtime(int& argc, char** argv);
  ~Runtime();

  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // False after a failed start-up, which has already been reported: the
  // program then ends with kExitStartupFailure.
  bool Started() const { return started_; }

 private:
  void ShutDown() noexcept;

  std::unique_ptr<GuardedApplication> qt_;
  std::unique_ptr<TApplication> application_;
  std::unique_ptr<CaretRest> caret_rest_;
  bool formats_registered_ = false;
  bool started_ = false;
};

}  // namespace platform
