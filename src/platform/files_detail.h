#pragma once
// Shared by the files adapters of each system; not for use above platform.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lw::fs::detail {

[[noreturn]] void fail(const std::string& what, const std::string& path, int err);
[[noreturn]] void too_large(const std::string& path, std::size_t max_bytes);
[[noreturn]] void link_in_place(const std::string& what, const std::string& path);
// The age of a regular file (not a link), nullopt for anything else.
std::optional<long long> regular_file_age_seconds(const std::string& path);
// The age of a folder (not a link) since its entries last changed, nullopt
// for anything else.
std::optional<long long> folder_age_seconds(const std::string& path);
// Letters and digits for the names of temporary files and folders.
std::string random_letters(std::size_t count);
// Whether text is `count` letters or digits, as random_letters and the
// system's own temporary names give them.
bool is_random_letters(std::string_view text, std::size_t count);

#ifdef _WIN32
// Writes all of bytes to an open file and flushes it to disk: 0, or the
// errno value of what failed.
int write_flushed(void* file, std::string_view bytes);
#endif

// What remove_folder_aside leaves to each system: a file or a link inside
// the folder (folder_link: a link to a folder), never what a link leads to;
// and the folder itself once it is empty. Whatever can't be removed stays.
void remove_entry_aside(const std::string& path, bool folder_link);
void remove_empty_folder(const std::string& path);

} // namespace lw::fs::detail
