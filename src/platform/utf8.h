#pragma once
#include <string_view>

namespace lw::utf8 {

// Strictly valid UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
bool is_valid(std::string_view bytes);

} // namespace lw::utf8
