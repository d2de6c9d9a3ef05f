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

} // namespace lw::fs::detail
