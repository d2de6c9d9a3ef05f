#include "platform/errors.h"
#include "platform/files.h"
#include "platform/files_detail.h"
#include "platform/folder_aside.h"
#include "platform/windows_text.h"

#include <cerrno>
#include <random>
#include <windows.h>

namespace lw::fs {

using detail::fail;
using win::last_errno;
using win::wide;

namespace {
std::string random_letters(std::size_t count) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string out;
  for (std::size_t i = 0; i < count; ++i)
    out += kLetters[pick(generator)];
  return out;
}

int move(const std::string& from, const std::string& to) {
  return ::MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : last_errno();
}
} // namespace

std::string make_folder_aside(const std::string& parent, std::string_view prefix) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(1, '.');
    name.append(prefix).append(1, '-').append(random_letters(6));
    std::string path = join(parent, name);
    if (::CreateDirectoryW(wide(path).c_str(), nullptr)) return path;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  fail("Cannot write", parent, last_errno());
}

void write_new_file(const std::string& path, std::string_view bytes) {
  HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail("Cannot write", path, last_errno());
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::WriteFile(file, bytes.data() + done, want, &n, nullptr)) {
      int err = last_errno();
      ::CloseHandle(file);
      fail("Cannot write", path, err);
    }
    done += n;
  }
  if (!::FlushFileBuffers(file)) {
    int err = last_errno();
    ::CloseHandle(file);
    fail("Cannot write", path, err);
  }
  ::CloseHandle(file);
}

// NTFS journals its folders' entries itself; renames are written through.
void sync_entries(const std::string&) {}

int rename_into_place(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING a name that is taken is refused.
  return move(from, to);
}

int exchange_folders(const std::string& built, const std::string& standing) {
  // Windows has no exchange of two names: the standing folder steps aside
  // under a name of its own first, so it is kept until the built one stands.
  std::string old = built + ".old";
  if (int err = move(standing, old)) return err;
  if (int err = move(built, standing)) {
    move(old, standing);
    return err;
  }
  move(old, built);
  return 0;
}

void remove_folder_aside(const std::string& folder) {
  for (const DirEntry& entry : list_dir(folder)) {
    std::string path = join(folder, entry.name);
    if (entry.is_dir && !entry.is_symlink)
      remove_folder_aside(path);
    else if (entry.is_dir)
      ::RemoveDirectoryW(wide(path).c_str()); // a link to a folder: the link alone
    else
      ::DeleteFileW(wide(path).c_str());
  }
  ::RemoveDirectoryW(wide(folder).c_str());
}

} // namespace lw::fs
