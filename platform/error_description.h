#pragma once
// What the error reports need to know of an error object, whatever its type:
// its class name, its message and whether it is the silent kind.

#include <exception>
#include <string>

namespace platform {

struct ErrorDescription {
  std::string class_name;  // "EConvertError", or the C++ type for a foreign error
  std::string message;     // UTF-8, as raised
  bool silent = false;     // an EAbort: never shown
};

// Describes any error, of the Exception family or not. Never throws.
ErrorDescription DescribeError(const std::exception_ptr& error) noexcept;

}  // namespace platform
