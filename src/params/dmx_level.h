#pragma once
#include <string_view>

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

// The level of a stored value, or -1 when the editor's OK would refuse it.
int stored_level(std::string_view text);

} // namespace lw
