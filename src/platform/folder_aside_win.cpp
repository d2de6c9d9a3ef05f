#include "formats/errors.h"
#include "platform/files.h"
#include "platform/files_detail.h"
#include "platform/folder_aside.h"
#include "platform/wide_text_win.h"

#include <cerrno>
#include <windows.h>

namespace lw::fs {

using detail::fail;
using win::last_errno;
using win::wide;

namespace {

int move(const std::string& from, const std::string& to) {
  return ::MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : last_errno();
}
} // namespace

std::string make_folder_aside(const std::string& parent, std::string_view prefix) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(1, '.');
    name.append(prefix).append(1, '-').append(detail::random_letters(kAsideRandomChars));
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
  int err = detail::write_flushed(file, bytes);
  ::CloseHandle(file);
  if (err) fail("Cannot write", path, err);
}

// NTFS journals its folders' entries itself; renames are written through.
void sync_entries(const std::string&) {}

int rename_into_place(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING a name that is taken is refused.
  return move(from, to);
}

namespace detail {
void remove_entry_aside(const std::string& path, bool folder_link) {
  // A link to a folder is a folder to Windows: removed as one, the link alone.
  if (folder_link)
    ::RemoveDirectoryW(wide(path).c_str());
  else
    ::DeleteFileW(wide(path).c_str());
}
void remove_empty_folder(const std::string& path) { ::RemoveDirectoryW(wide(path).c_str()); }
} // namespace detail

} // namespace lw::fs
