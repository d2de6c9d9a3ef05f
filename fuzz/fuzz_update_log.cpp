#include "core/text_table.h"
#include "formats/document.h"
#include "formats/errors.h"
#include "fuzz_file.h"
#include "report/commissioning_sheet.h"

#include <cstdlib>
#include <filesystem>
#include <pugixml.hpp>

// Any bytes as a configuration's update log on its commissioning sheet: the
// sheet is made, and its HTML stays well-formed XML.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const lw::TextTable texts = [] {
    lw::TextTable t;
    t.Fill_English_Texts();
    return t;
  }();
  const std::string log = fuzz_file("update-log.csv", data, size);
  lw::SheetFacts facts;
  facts.conf_name = "Unit";
  facts.conf_dir = std::filesystem::path(log).parent_path().string();
  facts.language = "en";
  std::string html;
  try {
    html =
        lw::commissioning_sheet_bytes(lw::commissioning_sheet(facts, texts), lw::SheetFormat::Html, nullptr);
  } catch (const lw::FileError&) {
    std::abort();
  }
  pugi::xml_document doc;
  if (!doc.load_buffer(html.data(), html.size())) std::abort();
  return 0;
}
