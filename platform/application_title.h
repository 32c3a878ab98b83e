#pragma once
// The program's title: the executable's file name without its extensions,
// the first character as it stands and the rest in lower case. It labels the
// taskbar entry and is the caption of the program's message boxes.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The longest title, in bytes of UTF-8.
inline constexpr std::size_t kMaxTitleBytes = 255;

// Derives the title from the executable's full path (UTF-8, "/" separating
// the folders). Pure: the same path always gives the same title.
std::string DeriveApplicationTitle(std::string_view executable_path);

// The executable's full path as the kernel reports it (/proc/self/exe);
// empty if it cannot be read.
std::string ExecutablePath();

// The executable's file name, e.g. "kotorina" for /usr/bin/kotorina.
std::string ExecutableFileName();

}  // namespace platform
