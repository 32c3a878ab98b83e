#pragma once
// The reports of the errors that end the program: the last-resort report of
// an error that escapes outside the event loop (exit code 1), and the bare
// run-time report of a failure in the platform's own start-up (exit code 217).
// Each goes to a stop box when one can be shown, and to standard error always,
// so that a failure is never silent, even with no display.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace platform {

inline constexpr int kExitNormal = 0;
inline constexpr int kExitFatalError = 1;
inline constexpr int kExitStartupFailure = 217;

// "<class>がモジュール <module> の <address> で発生しました。\n<message>" with a
// "." behind the message unless it already ends in one.
std::string LastResortText(std::string_view class_name, std::string_view module, std::uintptr_t address,
                           std::string_view message);

// "Runtime error <code> at <address>".
std::string RuntimeErrorText(int code, std::uintptr_t address);

// Reports an error that escaped outside the event loop. Never throws.
void ReportFatalError(const std::exception_ptr& error) noexcept;

// Reports a failed platform start-up at `address`. `can_show_box` says
// whether a display is up to show the box on. Never throws.
void ReportStartupFailure(std::uintptr_t address, bool can_show_box) noexcept;

}  // namespace platform
