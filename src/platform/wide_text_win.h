#pragma once
// UTF-8 inside, UTF-16 at every Windows call; and Windows' error codes told
// in the words the program uses on every system. Windows adapters only.
#include <string>
#include <string_view>

namespace lw::win {

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
inline constexpr unsigned long kErrorElevationRequired = 740;

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The errno value nearest to a Windows error code, so system_error_text
// reads the same on both systems.
int errno_of(unsigned long windows_error);
// errno_of(GetLastError()).
int last_errno();

} // namespace lw::win
