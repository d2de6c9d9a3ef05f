#pragma once
// Shared by the files adapters of each system; not for use above platform.
#include <cstddef>
#include <optional>
#include <string>

namespace lw::fs::detail {

[[noreturn]] void fail(const std::string& what, const std::string& path, int err);
[[noreturn]] void too_large(const std::string& path, std::size_t max_bytes);
// The age of a regular file (not a link), nullopt for anything else.
std::optional<long long> regular_file_age_seconds(const std::string& path);

} // namespace lw::fs::detail
