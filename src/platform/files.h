#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lw::fs {

// Joins a folder (never ending in a separator) and a name.
std::string join(std::string_view folder, std::string_view name);
std::string file_name(std::string_view path);

bool exists(const std::string& path);
bool is_file(const std::string& path);
bool is_dir(const std::string& path);

// One folder level; false when the system refuses it or it already exists.
bool make_dir(const std::string& path);
// Every missing level; true when the folder exists afterwards.
bool make_dirs(const std::string& path);

// The whole file. Throws FileError with the system's text, or when the file
// is larger than max_bytes (so hostile input can't exhaust memory).
std::string read_bytes(const std::string& path, std::size_t max_bytes);

// Writes a temporary file in the same folder, flushes it to disk and renames
// it over path, so a crash or a full disk never leaves half a file.
// Throws FileError with the system's text.
void atomic_save(const std::string& path, std::string_view bytes);

struct DirEntry {
  std::string name;
  bool is_dir = false;
  bool is_symlink = false;
  bool owner_writable = true;
};
// Entries in the order the system yields them, "." and ".." left out.
// Empty when the folder can't be listed.
std::vector<DirEntry> list_dir(const std::string& path);

// Folder of the running executable, resolved from the process itself.
std::string executable_dir();

std::string system_error_text(int err);

} // namespace lw::fs
