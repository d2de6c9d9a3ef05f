#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace lw::zip {

// One entry of a zip: its name inside the archive with "/" between its
// parts (a folder's without the trailing "/"), and a file's bytes.
struct Entry {
  std::string name;
  std::string bytes;
  bool folder = false;
  bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

// Writes the entries, files deflated, as one zip at path: built whole in
// memory, then saved as every other file of the program is, so a failure
// never leaves half an archive. Throws FileError.
void write(const std::string& path, const Entries& entries);

// What a zip may hold before it is refused; each size is measured on the
// bytes really unpacked, never taken from the archive's headers.
struct Limits {
  std::size_t file_bytes;  // the zip file itself
  std::size_t entries;     // files and folders together
  std::size_t entry_bytes; // one file unpacked
  std::size_t total_bytes; // every file unpacked
};

// Every entry of the zip at path, read whole before anything is handed
// back. Throws FileError naming the entry and the reason for anything that
// is no plain zip of files and folders: a path that is absolute, names a
// drive, holds a backslash, "." or "..", an empty part; a link of either
// kind, a device or any other special entry; an encrypted entry; the same
// name twice (in any case); a limit passed; a file that is no zip, or a
// truncated or damaged one.
Entries read(const std::string& path, const Limits& limits);

} // namespace lw::zip
