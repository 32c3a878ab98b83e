#include "platform/runtime.h"

#include <cfenv>
#include <cstdlib>

#include "core/decimal_separator.h"
#include "platform/application.h"
#include "platform/application_title.h"
#include "platform/caret_rest.h"
#include "platform/code_address.h"
#include "platform/fatal_error.h"
#include "platform/guarded_application.h"
#include "platform/picture_formats.h"
#include "platform/session_end.h"

namespace platform {
namespace {

std::uintptr_t startup_address = 0;
QtMessageHandler previous_handler = nullptr;

// Qt reports a start-up it cannot complete (no display, no usable platform
// plug-in) as a fatal message and then aborts. Its warnings before that say
// why; the fatal message itself becomes the run-time error.
void StartUpMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    ReportStartupFailure(startup_address, false);
    std::_Exit(kExitStartupFailure);
  }
  if (previous_handler != nullptr) previous_handler(type, context, message);
}

[[gnu::noinline]] const void* ReturnAddress() { return __builtin_return_address(0); }

}  // namespace

Runtime::Runtime(int& argc, char** argv) {
  previous_handler = qInstallMessageHandler(StartUpMessageHandler);
  startup_address = ModuleOffset(ReturnAddress());
  try {
    // Round to nearest, every floating-point exception masked, the x87 unit
    // at its full 64-bit precision: whatever the loader left, the arithmetic
    // starts from the same state on every machine.
    std::fesetenv(FE_DFL_ENV);

    qt_ = std::make_unique<GuardedApplication>(argc, argv);

    // After Qt's application object, which sets the C library's locale from
    // the environment; the same reading runs again whenever the desktop
    // announces changed settings.
    ReadDecimalSeparator();

    application_ = std::make_unique<TApplication>(ExecutablePath());
    application_->SetOnSettingsChange(ReadDecimalSeparator);

    caret_rest_ = std::make_unique<CaretRest>();

    RegisterPictureFormats();
    formats_registered_ = true;

    WatchSessionEnd([] {
      if (Application != nullptr) Application->EndSession();
    });
    EndSessionOnDisplayLoss([] { return Application != nullptr && Application->Running(); });
    started_ = true;
  } catch (...) {
    const std::uintptr_t thrown_at = ThrowSiteOffset(std::current_exception());
    ReportStartupFailure(thrown_at != 0 ? thrown_at : startup_address, qt_ != nullptr);
    ShutDown();
  }
  qInstallMessageHandler(previous_handler);
}

Runtime::~Runtime() { ShutDown(); }

void Runtime::ShutDown() noexcept {
  StopWatchingSessionEnd();
  if (formats_registered_) {
    formats_registered_ = false;
    try {
      UnregisterPictureFormats();
    } catch (...) {
    }
  }
  caret_rest_.reset();
  application_.reset();
  qt_.reset();
}

}  // namespace platform
