#pragma once
#include "core/text_table.h"

#include <string>

namespace lw {

// The user-interface texts in one language, as languages/language_file.h
// loads them.
struct Catalogue {
  TextTable Text_Table;
  std::string Language_Version;
  // The language the texts are in: the one asked for, or English when its
  // file could not be found.
  std::string Texts_Language;

  const std::string& text(int index) const { return Text_Table.Get(index); }
};

} // namespace lw
