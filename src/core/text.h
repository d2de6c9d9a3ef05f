#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

// The program's one integer rule: an optional '+' or '-' followed by one or
// more ASCII digits and nothing else, whose value fits a signed 32-bit integer.
std::optional<std::int32_t> parse_integer(std::string_view text);

// Removes characters U+0000..U+0020 (blanks and controls) from both ends.
std::string_view trim_controls(std::string_view text);

} // namespace lw
