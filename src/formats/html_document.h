#pragma once
#include "formats/document.h"

#include <string>
#include <string_view>

namespace lw {

// The text with the five characters markup gives meaning to escaped, so a
// name shows as the name it is, and every character XML can't hold (a
// control character, U+FFFE, bytes that are no UTF-8) shown as U+FFFD.
std::string html_escape(std::string_view text);

// The document as one self-contained HTML file (no scripts, no external
// files, styles inline), UTF-8, and well-formed XML as well, so any XML
// parser reads it. Printed from a browser it comes out on A4 with the page
// header repeated on each page.
std::string html_document(const doc::Document& document);

} // namespace lw
