// The files adapter on Windows: wide paths at every call, atomic replacement
// by MoveFileExW after FlushFileBuffers, and the same error texts as on Linux.
#include "formats/errors.h"
#include "platform/files.h"
#include "platform/files_detail.h"
#include "platform/wide_text_win.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <windows.h>

namespace lw::fs {

using detail::fail;
using detail::too_large;
using win::last_errno;
using win::wide;

namespace {
struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE && h != nullptr) ::CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data;
}

bool is_folder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool is_reparse_point(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// With links refused, the file is opened as it stands, a reparse point not
// followed; the handle then shows whether a link was swapped in meanwhile.
DWORD open_flags(Links links) {
  return FILE_ATTRIBUTE_NORMAL | (links == Links::Refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
}
void refuse_opened_link(HANDLE file, Links links, const std::string& what, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (links == Links::Refuse && ::GetFileInformationByHandle(file, &info) &&
      is_reparse_point(info.dwFileAttributes))
    detail::link_in_place(what, path);
}

long long seconds_since(const FILETIME& when) {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) {
    return static_cast<long long>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  };
  return (ticks(now) - ticks(when)) / 10'000'000;
}

// Windows finds no path where a file stands in the place of one of its
// folders; Linux says "Not a directory" there, and users read the same
// message on both systems. Called right after the failing call.
int errno_for(const std::string& path, DWORD err = ::GetLastError()) {
  if (err == ERROR_PATH_NOT_FOUND || err == ERROR_DIRECTORY) {
    for (std::string folder = parent_folder(path);;) {
      if (auto a = attributes(folder)) return is_folder(a->dwFileAttributes) ? win::errno_of(err) : ENOTDIR;
      std::string up = parent_folder(folder);
      if (up == folder) break;
      folder = std::move(up);
    }
  }
  return win::errno_of(err);
}
} // namespace

int detail::write_flushed(void* file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::WriteFile(file, bytes.data() + done, want, &n, nullptr)) return last_errno();
    done += n;
  }
  return ::FlushFileBuffers(file) ? 0 : last_errno();
}

std::string system_error_text(int err) {
  // The C library of Windows words these otherwise; users read the same
  // message on both systems.
  switch (err) {
  case EPERM: return "Operation not permitted";
  case ENOENT: return "No such file or directory";
  case EIO: return "Input/output error";
  case ENOEXEC: return "Exec format error";
  case ENOMEM: return "Cannot allocate memory";
  case EACCES: return "Permission denied";
  case EBUSY: return "Device or resource busy";
  case EEXIST: return "File exists";
  case EXDEV: return "Invalid cross-device link";
  case ENOTDIR: return "Not a directory";
  case EISDIR: return "Is a directory";
  case EINVAL: return "Invalid argument";
  case ENOSPC: return "No space left on device";
  case EROFS: return "Read-only file system";
  case ENAMETOOLONG: return "File name too long";
  case ENOTEMPTY: return "Directory not empty";
  case ETIMEDOUT: return "Connection timed out";
  case ECONNREFUSED: return "Connection refused";
  default: return std::strerror(err);
  }
}

bool exists(const std::string& path) { return attributes(path).has_value(); }

bool is_file(const std::string& path) {
  auto a = attributes(path);
  return a && !is_folder(a->dwFileAttributes);
}

bool is_dir(const std::string& path) {
  auto a = attributes(path);
  return a && is_folder(a->dwFileAttributes);
}

EntryKind entry_kind(const std::string& path) {
  auto a = attributes(path);
  if (!a) return EntryKind::None;
  if (is_reparse_point(a->dwFileAttributes)) return EntryKind::Link;
  if (is_folder(a->dwFileAttributes)) return EntryKind::Folder;
  return (a->dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0 ? EntryKind::Other : EntryKind::File;
}

bool remove_file(const std::string& path) { return ::DeleteFileW(wide(path).c_str()) != 0; }

std::optional<long long> detail::regular_file_age_seconds(const std::string& path) {
  auto a = attributes(path);
  if (!a || is_folder(a->dwFileAttributes) || (a->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return std::nullopt;
  return seconds_since(a->ftLastWriteTime);
}

std::optional<long long> detail::folder_age_seconds(const std::string& path) {
  auto a = attributes(path);
  if (!a || !is_folder(a->dwFileAttributes) || (a->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return std::nullopt;
  return seconds_since(a->ftLastWriteTime);
}

bool make_dir(const std::string& path) { return ::CreateDirectoryW(wide(path).c_str(), nullptr) != 0; }

bool make_dirs(const std::string& path) {
  if (path.empty()) return false;
  if (is_dir(path)) return true;
  std::string parent = parent_folder(path);
  if (parent != path && parent != "." && !make_dirs(parent)) return false;
  return make_dir(path) || is_dir(path);
}

std::string read_bytes(const std::string& path, std::size_t max_bytes, Links links) {
  auto before = attributes(path);
  if (!before) fail("Cannot open", path, errno_for(path));
  if (links == Links::Refuse && is_reparse_point(before->dwFileAttributes))
    detail::link_in_place("Cannot read", path);
  if (is_folder(before->dwFileAttributes)) fail("Cannot read", path, EISDIR);
  UniqueHandle file(::CreateFileW(wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, open_flags(links), nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) fail("Cannot open", path, errno_for(path));
  refuse_opened_link(file.get(), links, "Cannot read", path);
  // A pipe or a device in a file's place would hold the read up.
  if (::GetFileType(file.get()) != FILE_TYPE_DISK)
    throw FileError("Cannot read " + path + ": not a regular file");
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) fail("Cannot read", path, last_errno());
  if (static_cast<unsigned long long>(size.QuadPart) > max_bytes) too_large(path, max_bytes);
  std::string out;
  out.resize(static_cast<std::size_t>(size.QuadPart) + 1);
  std::size_t got = 0;
  for (;;) {
    if (got == out.size()) {
      if (out.size() >= max_bytes + 1) break;
      out.resize(std::min(max_bytes + 1, out.size() + 65536));
    }
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - got, 1u << 30));
    if (!::ReadFile(file.get(), out.data() + got, want, &n, nullptr)) fail("Cannot read", path, last_errno());
    if (n == 0) break;
    got += n;
  }
  if (got > max_bytes) too_large(path, max_bytes);
  out.resize(got);
  return out;
}

void atomic_save(const std::string& path, std::string_view bytes, Links links) {
  // MoveFileExW replaces a link itself, so a refused one is never written
  // through even if it appears meanwhile.
  if (links == Links::Refuse) refuse_link("Cannot write", path);
  if (auto a = attributes(path)) {
    if (is_folder(a->dwFileAttributes)) fail("Cannot write", path, EISDIR);
    if (a->dwFileAttributes & FILE_ATTRIBUTE_READONLY) fail("Cannot write", path, EACCES);
  }
  std::string tmp;
  UniqueHandle file(INVALID_HANDLE_VALUE);
  for (int attempt = 0; attempt < 100 && file.get() == INVALID_HANDLE_VALUE; ++attempt) {
    tmp = path + std::string(kTemporarySuffix) + detail::random_letters(kTemporaryRandomChars);
    file.reset(::CreateFileW(wide(tmp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    if (file.get() == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file.get() == INVALID_HANDLE_VALUE) fail("Cannot write", path, errno_for(path));
  auto abandon = [&](int err) {
    file.reset();
    ::DeleteFileW(wide(tmp).c_str());
    fail("Cannot write", path, err);
  };
  if (int err = detail::write_flushed(file.get(), bytes)) abandon(err);
  file.reset();
  if (!::MoveFileExW(wide(tmp).c_str(), wide(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    abandon(last_errno());
}

void append_text(const std::string& path, std::string_view header, std::string_view text) {
  // A link would append the line to whatever file it names.
  refuse_link("Cannot write", path);
  if (auto a = attributes(path); a && is_folder(a->dwFileAttributes)) fail("Cannot write", path, EISDIR);
  // FILE_APPEND_DATA alone: every write goes to the end, never over a line.
  UniqueHandle file(::CreateFileW(wide(path).c_str(), FILE_APPEND_DATA | GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_ALWAYS, open_flags(Links::Refuse), nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) fail("Cannot write", path, errno_for(path));
  refuse_opened_link(file.get(), Links::Refuse, "Cannot write", path);
  if (::GetFileType(file.get()) != FILE_TYPE_DISK)
    throw FileError("Cannot write " + path + ": not a regular file");
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) fail("Cannot write", path, last_errno());
  std::string out;
  if (size.QuadPart == 0) {
    out = header;
  } else {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>((size.QuadPart - 1) & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>((size.QuadPart - 1) >> 32);
    char last = '\n';
    DWORD n = 0;
    if (::ReadFile(file.get(), &last, 1, &n, &at) && n == 1 && last != '\n') out = "\r\n";
  }
  out += text;
  DWORD n = 0;
  if (!::WriteFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &n, nullptr) || n != out.size())
    fail("Cannot write", path, last_errno());
  if (!::FlushFileBuffers(file.get())) fail("Cannot write", path, last_errno());
}

bool write_new(const std::string& path, std::string_view bytes) {
  UniqueHandle file(::CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    DWORD err = ::GetLastError();
    if (err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS) return false;
    fail("Cannot write", path, errno_for(path, err));
  }
  auto abandon = [&](int err) {
    file.reset();
    ::DeleteFileW(wide(path).c_str());
    fail("Cannot write", path, err);
  };
  if (int err = detail::write_flushed(file.get(), bytes)) abandon(err);
  return true;
}

std::string move_aside(const std::string& path) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_s(&local, &now);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = path + ".unusable-" + stamp;
  for (int n = 1; n < 100; ++n) {
    std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
    if (exists(aside)) continue;
    if (!::MoveFileExW(wide(path).c_str(), wide(aside).c_str(), MOVEFILE_WRITE_THROUGH))
      fail("Cannot move aside", path, last_errno());
    return aside;
  }
  fail("Cannot move aside", path, EEXIST);
}

std::vector<DirEntry> list_dir(const std::string& path) {
  std::vector<DirEntry> out;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(wide(join(path, "*")).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return out;
  do {
    std::string name = win::narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    DirEntry entry;
    entry.name = std::move(name);
    entry.is_dir = is_folder(found.dwFileAttributes);
    entry.is_symlink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.owner_writable = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
    out.push_back(std::move(entry));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return out;
}

std::string executable_dir() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return ".";
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    buf.resize(buf.size() * 2);
  }
  return parent_folder(win::narrow(buf));
}

} // namespace lw::fs
