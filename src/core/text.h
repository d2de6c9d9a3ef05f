#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lw {

// The program's one integer rule: an optional '+' or '-' followed by one or
// more ASCII digits and nothing else, whose value fits a signed 32-bit integer.
std::optional<std::int32_t> parse_integer(std::string_view text);

// Removes characters U+0000..U+0020 (blanks and controls) from both ends.
std::string_view trim_controls(std::string_view text);

// A catalogue text with its places filled: "%1" to "%9" take the values in
// order, in one pass, so a value holding "%2" stays as it is. Translators
// move the places where their language wants them.
std::string fill_places(std::string_view pattern, std::span<const std::string> values);

} // namespace lw
