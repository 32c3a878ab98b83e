#include "platform/error_description.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "core/exception.h"

namespace platform {
namespace {

// The readable name of the type of the error being handled, e.g.
// "std::runtime_error".
std::string CurrentErrorTypeName() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) return "unknown";
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(type->name());
}

}  // namespace

ErrorDescription DescribeError(const std::exception_ptr& error) noexcept {
  try {
    if (!error) return {"Exception", "", false};
    try {
      std::rethrow_exception(error);
    } catch (const EAbort& e) {
      return {std::string(e.ClassName()), e.Message(), true};
    } catch (const Exception& e) {
      return {std::string(e.ClassName()), e.Message(), false};
    } catch (const std::exception& e) {
      // Foreign errors (the standard library's, Qt's) are reported as well:
      // the user sees their text rather than a crash.
      return {CurrentErrorTypeName(), e.what(), false};
    } catch (...) {
      const std::string type = CurrentErrorTypeName();
      return {type, type, false};
    }
  } catch (...) {
    // Out of memory while copying the texts: say what little we can.
    return {"Exception", "", false};
  }
}

}  // namespace platform
