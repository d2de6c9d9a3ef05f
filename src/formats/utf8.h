#pragma once
#include <optional>
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
// The same, cut after max_chars characters with an ellipsis, so a name of
// megabytes from a sheet can't bury the message it stands in.
std::string printable(std::string_view text, std::size_t max_chars);

// The text cut after max_chars characters, ending in an ellipsis when cut;
// a character begins at every byte but UTF-8's continuation bytes, so it is
// cut between characters whatever bytes it holds.
inline constexpr std::string_view kCutMark = "\xE2\x80\xA6"; // U+2026
std::string cut(std::string_view text, std::size_t max_chars);

// The bytes of the valid UTF-8 character at the start of bytes, or 0 when
// they begin with none.
std::size_t sequence_length(std::string_view bytes);

// The code point that starts at `at` in valid UTF-8, and `at` moved past it.
char32_t next(std::string_view valid, std::size_t& at);

// Whether XML 1.0 can hold the character at all, escaped or not: tab, line
// feed, carriage return and everything from U+0020 but the surrogates,
// U+FFFE and U+FFFF.
bool is_xml_char(char32_t c);
// The first character of valid UTF-8 text that XML can't hold, or nullopt.
std::optional<char32_t> first_non_xml_char(std::string_view valid);

// A character as messages show it: "U+FFFE".
std::string code_point_text(char32_t c);

// A to Z made a to z and every other byte as it is: how names are compared
// where case must not matter (file names as Windows compares them, suffixes,
// a sheet's column headers), whatever the locale. A byte of a multi-byte
// character is never touched, so no UTF-8 text changes its length or breaks.
constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string ascii_lower(std::string_view text);
// Whether the two texts are the same once both are folded so.
bool same_ignoring_ascii_case(std::string_view a, std::string_view b);

} // namespace lw::utf8
