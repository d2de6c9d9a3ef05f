#pragma once
#include "formats/document.h"
#include "image/image_layout.h"

#include <cstddef>
#include <string>

namespace lw {

// What every sheet the program prints says the same way.

// The most characters a cell of a sheet shows. A longer text (a mnemonic
// of a file edited by hand, a long line of the log) is cut there and ends
// in an ellipsis, so the sheet says it was cut, in PDF and HTML alike.
inline constexpr std::size_t kSheetCellChars = 200;

// The program that produced the sheet, with its version.
std::string program_text();

// An image's checksum as the device reports it, and the SHA-256 of its bytes.
std::string image_checksum_text(const image::Image& image);
std::string image_sha256(const image::Image& image);

// Cuts every table cell of the sheet to kSheetCellChars.
void cut_cells(doc::Document& sheet);

} // namespace lw
