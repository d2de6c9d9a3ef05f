#include "report/sheet_parts.h"

#include "core/identity.h"
#include "formats/sha256.h"
#include "formats/utf8.h"

#include <string_view>

namespace lw {

std::string program_text() {
  return std::string(kSW_Code) + " " + std::string(kSW_Desc) + ", Loomwork " + std::string(SW_Version);
}

std::string image_checksum_text(const image::Image& image) {
  return image::hex32(image::checksum(image.data()));
}

std::string image_sha256(const image::Image& image) {
  return sha256_hex(std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

void cut_cells(doc::Document& sheet) {
  for (doc::Section& section : sheet.sections)
    for (auto& row : section.table.rows)
      for (std::string& cell : row)
        cell = utf8::cut(cell, kSheetCellChars);
}

} // namespace lw
