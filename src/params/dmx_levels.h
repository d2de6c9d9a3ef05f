#pragma once
#include "params/dmx_defaults.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lw {

inline constexpr int kMaxDmxLevel = 255;

// A DMX level as people write it: an integer from 0 to 255 by the program's
// integer rule, or a whole percentage of full level ("50%"), taken as
// 255 * p / 100 rounded half up (50% is 128).
enum class LevelFault { None, NotALevel, ValueOutOfRange, PercentOutOfRange };
struct LevelReading {
  int level = 0;
  LevelFault fault = LevelFault::None;
};
LevelReading read_level(std::string_view text);

// A channel's level as the picture of the table shows it: 0 to 255, or
// kBadLevel when its text is one the editor's OK refuses.
inline constexpr std::int16_t kBadLevel = -1;
std::int16_t dmx_level(std::string_view default_value);

std::vector<std::int16_t> dmx_levels(const DMX_Def_Table& table);

// After an edit of rows top..bottom (from 0, both included): only those rows
// are read again, so a one-cell edit of 65535 channels costs one cell. The
// span is clipped to the table; levels of another size are all read again.
void update_levels(std::vector<std::int16_t>& levels, const DMX_Def_Table& table, int top, int bottom);

} // namespace lw
