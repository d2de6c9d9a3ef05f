#include "formats/errors.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/wide_text_win.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace lw {

namespace {
class WindowsProcess : public RunningProcess {
public:
  explicit WindowsProcess(HANDLE process) : process_(process) {}
  ~WindowsProcess() override { ::CloseHandle(process_); }
  WindowsProcess(const WindowsProcess&) = delete;
  WindowsProcess& operator=(const WindowsProcess&) = delete;
  std::optional<int> ended() override {
    if (::WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!::GetExitCodeProcess(process_, &code)) return -1;
    return static_cast<int>(code);
  }

private:
  HANDLE process_;
};

[[noreturn]] void cannot_start(const std::string& program, DWORD err) {
  throw FileError("Cannot start " + program + ": " + fs::system_error_text(win::errno_of(err)));
}

// An updater whose manifest asks for the administrator's rights can't be
// created directly (error 740); the shell asks the user, as Explorer would.
HANDLE start_elevated(const std::string& program, const std::wstring& path) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
  info.lpVerb = L"runas";
  info.lpFile = path.c_str();
  info.lpParameters = L"";
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExW(&info) || !info.hProcess) cannot_start(program, ::GetLastError());
  return info.hProcess;
}
} // namespace

std::unique_ptr<RunningProcess> SystemLauncher::launch(const std::string& program) {
  std::wstring path = win::wide(program);
  std::wstring arguments; // the updater is given no arguments at all
  arguments.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(path.c_str(), arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    DWORD err = ::GetLastError();
    if (err != win::kErrorElevationRequired) cannot_start(program, err);
    return std::make_unique<WindowsProcess>(start_elevated(program, path));
  }
  ::CloseHandle(info.hThread);
  return std::make_unique<WindowsProcess>(info.hProcess);
}

} // namespace lw
