#pragma once
#include "core/text_table.h"
#include "formats/document.h"
#include "platform/clock.h"
#include "report/sheet_parts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

class PdfRenderer;

enum class SheetFormat { Pdf, Html };

// By the file's suffix, in any case: ".pdf", or ".html" and ".htm".
std::optional<SheetFormat> sheet_format(const std::string& path);

// What the sheet says besides the configuration's own files.
struct SheetFacts {
  std::string conf_name;
  std::string conf_dir;
  LocalTime produced;
  std::string language; // the locale code of the catalogue's language
};

// How many of the update log's last lines a sheet shows.
inline constexpr std::size_t kSheetLogLines = 10;

// The configuration as handed to a customer: its name, every field of the
// Set Communication editor with its label and the DMX table as the image the
// device would get holds them, the image's checksum and SHA-256, and the last
// lines of the update log. The image is compiled from the files as they are
// now; throws FileError as the compiler does. A log that can't be read is
// said so on the sheet.
doc::Document commissioning_sheet(const SheetFacts& facts, const TextTable& texts);

// The sheet's bytes in the format asked for. Throws FileError when the PDF
// can't be laid out, or when there is no renderer for it.
std::string commissioning_sheet_bytes(const doc::Document& sheet, SheetFormat format, PdfRenderer* pdf);

} // namespace lw
