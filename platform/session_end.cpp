#include "platform/session_end.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/error_boundary.h"

namespace platform {
namespace {

int wake_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(wake_pipe[1], &byte, 1);
}

struct Watch {
  std::unique_ptr<QSocketNotifier> notifier;
  std::function<void()> on_session_end;
};

bool (*loop_running_now)() = nullptr;

void OnExit() {
  if (loop_running_now != nullptr && loop_running_now()) {
    std::fflush(nullptr);
    std::_Exit(0);
  }
}

Watch& TheWatch() {
  static Watch watch;
  return watch;
}

}  // namespace

void WatchSessionEnd(std::function<void()> on_session_end) {
  if (wake_pipe[0] < 0 && pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  Watch& watch = TheWatch();
  watch.on_session_end = std::move(on_session_end);
  watch.notifier = std::make_unique<QSocketNotifier>(wake_pipe[0], QSocketNotifier::Read);
  QObject::connect(watch.notifier.get(), &QSocketNotifier::activated, [] {
    char bytes[16];
    while (read(wake_pipe[0], bytes, sizeof bytes) > 0) {
    }
    Guarded([] {
      if (TheWatch().on_session_end) TheWatch().on_session_end();
    });
  });

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

void EndSessionOnDisplayLoss(bool (*loop_running)()) {
  static const bool registered = std::atexit(OnExit) == 0;
  (void)registered;
  loop_running_now = loop_running;
}

void StopWatchingSessionEnd() {
  loop_running_now = nullptr;
  signal(SIGTERM, SIG_DFL);
  signal(SIGHUP, SIG_DFL);
  Watch& watch = TheWatch();
  watch.notifier.reset();
  watch.on_session_end = nullptr;
}

}  // namespace platform
