#pragma once
#include <string>
#include <string_view>

namespace lw {

// Turns the bytes of a text file into UTF-8. A byte-order mark selects UTF-8,
// UTF-16 LE or UTF-16 BE and is dropped; without one, bytes that are valid
// UTF-8 are taken as UTF-8 and any others as Windows-1252, so files move
// between systems unchanged. Invalid sequences after a mark become U+FFFD.
std::string decode_text_file(std::string_view bytes);

void append_utf8(std::string& out, char32_t cp);

} // namespace lw
