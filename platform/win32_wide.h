// UTF-8 inside the program, UTF-16 at the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Through the program's own converters rather than the system's, so that a
// file name the system gives back to us names the same file again.
std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace platform
