#pragma once
#include <string>
#include <string_view>

namespace lw::utf8 {

// Strictly valid UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
bool is_valid(std::string_view bytes);

// The text as it may be shown on a terminal or as one line of a message:
// every control character (U+0000..U+001F, U+007F, U+0080..U+009F) but the
// tab, and every byte that is not UTF-8, becomes '?', so a name from a file,
// a folder, a zip or a sheet can neither send a terminal escape sequences nor
// break a line. A tab does neither, and a language's texts may hold one.
std::string printable(std::string_view text);

// The text with A to Z made a to z and every other byte as it is: how names
// are compared where case must not matter (file names as Windows compares
// them, suffixes), whatever the locale.
std::string ascii_lower(std::string_view text);

} // namespace lw::utf8
