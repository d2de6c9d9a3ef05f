#include "platform/url_opener.h"
#include "platform/wide_text_win.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace lw {

// The shell hands the address to the default browser and returns at once.
// A stand-in program given instead is started with the address as its one
// argument, as on Linux.
bool DesktopUrlOpener::open(const std::string& url) {
  std::wstring address = win::wide(url);
  HINSTANCE result = program_.empty()
                         ? ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL)
                         : ::ShellExecuteW(nullptr, L"open", win::wide(program_).c_str(), address.c_str(),
                                           nullptr, SW_SHOWNORMAL);
  // ShellExecuteW reports success by a value above 32.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace lw
