#include "params/dmx_levels.h"

#include "core/text.h"

#include <algorithm>

namespace lw {

namespace {
constexpr int kFullPercent = 100;

// Rounded half up in integers, so no floating point decides a level.
int percent_level(int percent) { return (kMaxDmxLevel * percent + kFullPercent / 2) / kFullPercent; }
} // namespace

LevelReading read_level(std::string_view text) {
  bool percent = text.ends_with('%');
  auto n = parse_integer(percent ? text.substr(0, text.size() - 1) : text);
  if (!n) return {0, LevelFault::NotALevel};
  if (percent)
    return *n < 0 || *n > kFullPercent ? LevelReading{0, LevelFault::PercentOutOfRange}
                                       : LevelReading{percent_level(*n), LevelFault::None};
  return *n < 0 || *n > kMaxDmxLevel ? LevelReading{0, LevelFault::ValueOutOfRange}
                                     : LevelReading{*n, LevelFault::None};
}

std::int16_t dmx_level(std::string_view default_value) {
  auto n = parse_integer(default_value);
  if (!n || *n < 0 || *n > kMaxDmxLevel) return kBadLevel;
  return static_cast<std::int16_t>(*n);
}

std::vector<std::int16_t> dmx_levels(const DMX_Def_Table& table) {
  std::vector<std::int16_t> levels(table.size());
  std::transform(table.begin(), table.end(), levels.begin(),
                 [](const DMX_Def_Row& row) { return dmx_level(row.Default_Value); });
  return levels;
}

void update_levels(std::vector<std::int16_t>& levels, const DMX_Def_Table& table, int top, int bottom) {
  if (levels.size() != table.size()) {
    levels = dmx_levels(table);
    return;
  }
  const int first = std::max(top, 0);
  const int last = std::min(bottom, static_cast<int>(table.size()) - 1);
  for (int i = first; i <= last; ++i)
    levels[static_cast<std::size_t>(i)] = dmx_level(table[static_cast<std::size_t>(i)].Default_Value);
}

} // namespace lw
