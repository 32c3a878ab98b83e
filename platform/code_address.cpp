#include "platform/code_address.h"

#include <cxxabi.h>
#include <dlfcn.h>

#include <cstdio>
#include <typeinfo>

namespace {

// The last object thrown on this thread and the address that threw it.
struct ThrowSite {
  const void* object = nullptr;
  const void* address = nullptr;
};
thread_local ThrowSite last_throw;

using CxaThrow = void (*)(void*, std::type_info*, void (*)(void*));

}  // namespace

// Every C++ throw goes through __cxa_throw. Defining it here, ahead of the C++
// runtime's, lets the process note where each error was raised before handing
// on to the real one; nothing else about throwing changes.
extern "C" [[noreturn]] void __cxa_throw(void* object, std::type_info* type, void (*destructor)(void*)) {
  last_throw = {object, __builtin_return_address(0)};
  static const auto real = reinterpret_cast<CxaThrow>(dlsym(RTLD_NEXT, "__cxa_throw"));
  real(object, type, destructor);
  __builtin_unreachable();
}

namespace platform {

std::uintptr_t ModuleOffset(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fbase == nullptr) return 0;
  return reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
}

std::uintptr_t ThrowSiteOffset(const std::exception_ptr& error) {
  if (!error) return 0;
  const void* object = nullptr;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    object = dynamic_cast<const void*>(&e);
  } catch (...) {
  }
  // Only an address recorded for this very object is the right one; anything
  // else is a stale note from an earlier throw.
  if (object == nullptr || object != last_throw.object) return 0;
  // The return address points just past the call; step back into it so the
  // offset names the throwing line.
  return ModuleOffset(static_cast<const char*>(last_throw.address) - 1);
}

std::string FormatCodeAddress(std::uintptr_t address) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(address));
  return text;
}

}  // namespace platform
