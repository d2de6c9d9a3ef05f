#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lw::fs {

// A folder is built under a temporary name beside its final place and then
// renamed into it whole, so nobody ever sees it half-made and a failure
// leaves nothing behind.

// Makes "<parent>/.<prefix>-XXXXXX" with six random letters or digits; throws
// FileError with the system's text.
inline constexpr std::size_t kAsideRandomChars = 6;
std::string make_folder_aside(const std::string& parent, std::string_view prefix);

// Writes a file that must not exist yet and flushes it to disk; throws
// FileError with the system's text.
void write_new_file(const std::string& path, std::string_view bytes);

// Flushes a folder's entries to disk; throws FileError with the system's text.
void sync_entries(const std::string& folder);

// Renames the folder `from` to `to` unless something is there already:
// 0, or the system's error number (EEXIST when the name is taken).
int rename_into_place(const std::string& from, const std::string& to);

// Removes a folder this program made aside, with what it put in it. Links
// are removed, never followed, and a link in the folder's own place is left
// as it is; whatever can't be removed stays.
void remove_folder_aside(const std::string& folder);

// Whether `name` is one make_folder_aside gives for `prefix`.
bool is_own_folder_aside(std::string_view name, std::string_view prefix);
// Removes from parent the folders aside of these prefixes that a process
// killed while building left, once they are at least min_age_seconds old (a
// younger one may be another instance's, being built). Only real folders of
// that pattern are touched; returns how many went.
int remove_stale_folders_aside(const std::string& parent, std::span<const std::string_view> prefixes,
                               int min_age_seconds);

} // namespace lw::fs
