#include "core/text_table.h"

namespace lw {

void TextTable::Fill_English_Texts() { texts_.assign(kEnglishTexts.begin(), kEnglishTexts.end()); }

const std::string& TextTable::Get(int index) const {
  static const std::string none;
  if (index < 0 || index >= Count()) return none;
  return texts_[static_cast<std::size_t>(index)];
}

void TextTable::Put(int index, std::string text) {
  if (index < 0 || index >= Count()) return;
  texts_[static_cast<std::size_t>(index)] = std::move(text);
}

} // namespace lw
