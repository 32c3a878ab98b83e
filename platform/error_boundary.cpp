#include "platform/error_boundary.h"

#include <cstdio>

#include "core/exception.h"

namespace platform {
namespace {

// Until the application installs its error report, say what happened on
// standard error rather than lose it.
void ReportToStandardError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(e.ClassName().size()), e.ClassName().data(),
                 e.Message().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown error\n");
  }
}

ErrorReporter& Reporter() {
  static ErrorReporter reporter = ReportToStandardError;
  return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  return std::exchange(Reporter(), std::move(reporter));
}

void ReportError(std::exception_ptr error) noexcept {
  try {
    if (Reporter()) Reporter()(error);
  } catch (...) {
  }
}

}  // namespace platform
