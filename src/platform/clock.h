#pragma once
#include <cstdint>
#include <string>

namespace lw {

// The millisecond tick count and a sleep, so waits can be tested with a fake.
class Clock {
public:
  virtual ~Clock() = default;
  virtual std::uint64_t tick_ms() = 0;
  virtual void sleep_ms(int ms) = 0;
};

class SteadyClock : public Clock {
public:
  std::uint64_t tick_ms() override;
  void sleep_ms(int ms) override;
};

// The calendar time where the program runs, with its distance from UTC.
struct LocalTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int utc_offset_minutes = 0;
  bool operator==(const LocalTime&) const = default;
};

// The date and time of day, so what is stamped with them can be tested.
class WallClock {
public:
  virtual ~WallClock() = default;
  virtual LocalTime local_now() = 0;
};

class SystemWallClock : public WallClock {
public:
  LocalTime local_now() override;
};

// "2026-03-01T14:05:09+01:00": seconds, with the offset, as ISO 8601 has it.
std::string iso_8601(const LocalTime& t);
// "20260301-140509-042": to the millisecond, safe in a file name anywhere.
std::string file_stamp(const LocalTime& t);

} // namespace lw
