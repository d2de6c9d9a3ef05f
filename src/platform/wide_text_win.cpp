#include "platform/wide_text_win.h"

#include <cerrno>
#include <windows.h>

namespace lw::win {

std::wstring wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr,
                                nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

int errno_of(unsigned long windows_error) {
  switch (windows_error) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_DRIVE:
  case ERROR_BAD_NETPATH:
  case ERROR_BAD_NET_NAME:
  case ERROR_MOD_NOT_FOUND: return ENOENT;
  case ERROR_ACCESS_DENIED:
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
  case ERROR_PRIVILEGE_NOT_HELD:
  case kErrorElevationRequired: return EACCES;
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS: return EEXIST;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL: return ENOSPC;
  case ERROR_DIRECTORY: return ENOTDIR;
  case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
  case ERROR_WRITE_PROTECT: return EROFS;
  case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
  case ERROR_INVALID_NAME:
  case ERROR_INVALID_PARAMETER:
  case ERROR_BAD_PATHNAME: return EINVAL;
  case ERROR_NOT_ENOUGH_MEMORY:
  case ERROR_OUTOFMEMORY: return ENOMEM;
  case ERROR_BAD_EXE_FORMAT:
  case ERROR_EXE_MACHINE_TYPE_MISMATCH: return ENOEXEC;
  case ERROR_NOT_SAME_DEVICE: return EXDEV;
  case ERROR_BUSY:
  case ERROR_PIPE_BUSY: return EBUSY;
  default: return EIO;
  }
}

int last_errno() { return errno_of(::GetLastError()); }

} // namespace lw::win
