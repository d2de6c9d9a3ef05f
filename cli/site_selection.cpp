#include "site_selection.h"

#include "site/state_words.h"

#include <algorithm>
#include <array>

namespace lw::cli {

namespace {
struct SelectionWord {
  std::string_view word;
  Selection selection;
};

std::array<SelectionWord, 3> table() {
  return {{{state_word(UnitState::Changed), Selection::Changed},
           {state_word(UnitState::NeverSent), Selection::NeverSent},
           {"failed", Selection::Failed}}};
}
} // namespace

std::vector<std::string_view> selection_words() {
  std::vector<std::string_view> out;
  for (const SelectionWord& entry : table())
    out.push_back(entry.word);
  return out;
}

std::optional<Selection> selection_named(std::string_view word) {
  const auto words = table();
  auto it = std::ranges::find(words, word, &SelectionWord::word);
  if (it == words.end()) return std::nullopt;
  return it->selection;
}

} // namespace lw::cli
