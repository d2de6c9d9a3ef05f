#include "core/text_table.h"
#include "languages/language_file.h"
#include "languages/text_decoding.h"

#include <cstdlib>

// Any bytes read as a language file: the catalogue keeps its 1500 entries,
// and a table written back reads as itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static lw::TextTable english = [] {
    lw::TextTable t;
    t.Fill_English_Texts();
    return t;
  }();
  lw::TextTable table = english;
  std::string version;
  lw::apply_language_text(lw::decode_text_file({reinterpret_cast<const char*>(data), size}), table, version);
  if (table.Count() != 1500) std::abort();
  lw::TextTable back = english;
  std::string version_back;
  lw::apply_language_text(lw::decode_text_file(lw::write_language_file(table, "1")), back, version_back);
  for (int i = 0; i < table.Count(); ++i)
    if (back.Get(i) != table.Get(i)) std::abort();
  return 0;
}
