#pragma once
#include <string>
#include <string_view>

namespace lw::fs {

// A folder is built under a temporary name beside its final place and then
// renamed into it whole, so nobody ever sees it half-made and a failure
// leaves nothing behind.

// Makes "<parent>/.<prefix>-XXXXXX" with six random letters or digits; throws
// FileError with the system's text.
std::string make_folder_aside(const std::string& parent, std::string_view prefix);

// Writes a file that must not exist yet and flushes it to disk; throws
// FileError with the system's text.
void write_new_file(const std::string& path, std::string_view bytes);

// Flushes a folder's entries to disk; throws FileError with the system's text.
void sync_entries(const std::string& folder);

// Renames the folder `from` to `to` unless something is there already:
// 0, or the system's error number (EEXIST when the name is taken).
int rename_into_place(const std::string& from, const std::string& to);

// Swaps the folders `built` and `standing`, so the name `standing` never
// goes missing: `built` then holds what stood there. 0, or the system's
// error number, and then nothing has moved.
int exchange_folders(const std::string& built, const std::string& standing);

// Removes a folder this program made aside, with what it put in it. Links
// are removed, never followed; whatever can't be removed stays.
void remove_folder_aside(const std::string& folder);

} // namespace lw::fs
