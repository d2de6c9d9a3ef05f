#include "params/dmx_level.h"

#include "core/text.h"

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

int stored_level(std::string_view text) {
  auto n = parse_integer(text);
  return n && *n >= 0 && *n <= kMaxDmxLevel ? *n : -1;
}

} // namespace lw
