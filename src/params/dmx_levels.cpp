#include "params/dmx_levels.h"
#include "core/text.h"

#include <algorithm>

namespace lw {

std::int16_t dmx_level(std::string_view default_value) {
  auto n = parse_integer(default_value);
  if (!n || *n < 0 || *n > 255) return kBadLevel;
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
