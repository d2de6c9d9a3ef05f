#include "site/state_words.h"

#include "core/indexed_table.h"

#include <array>

namespace lw {

namespace {
struct Word {
  UnitState state;
  std::string_view word;
};

constexpr std::array<Word, kUnitStateCount> kWords{{
    {UnitState::NotConfiguration, "not-configuration"},
    {UnitState::Refused, "refused"},
    {UnitState::NeverSent, "never-sent"},
    {UnitState::UpToDate, "up-to-date"},
    {UnitState::Changed, "changed"},
    {UnitState::RecordUnreadable, "record-unreadable"},
}};
static_assert(indexed_by(kWords, &Word::state, kUnitStateCount));
} // namespace

std::string_view state_word(UnitState state) { return kWords[static_cast<std::size_t>(state)].word; }

} // namespace lw
