#pragma once
// Code addresses for the last-resort reports: where an error was raised, as
// an offset into the module (executable or library) that holds the code, so
// that `addr2line -e <module> <offset>` names the line.

#include <cstdint>
#include <exception>
#include <string>

namespace platform {

// The offset of `address` within its module; 0 for a null address or one
// that lies in no loaded module.
std::uintptr_t ModuleOffset(const void* address);

// The module offset of the instruction that raised `error`, when this
// process recorded the throw; 0 otherwise.
std::uintptr_t ThrowSiteOffset(const std::exception_ptr& error);

// Sixteen upper-case hex digits, the form the reports print addresses in.
std::string FormatCodeAddress(std::uintptr_t address);

}  // namespace platform
