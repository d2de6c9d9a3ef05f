#pragma once
#include <string>
#include <string_view>

namespace lw::utf8 {

// Strictly valid UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
bool is_valid(std::string_view bytes);

// The text with A to Z made a to z and every other byte as it is: how names
// are compared where case must not matter (file names as Windows compares
// them, suffixes), whatever the locale.
std::string ascii_lower(std::string_view text);

} // namespace lw::utf8
