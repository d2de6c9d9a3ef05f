#include "platform/clock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lw {

std::uint64_t SteadyClock::tick_ms() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::sleep_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

#ifdef _WIN32
LocalTime SystemWallClock::local_now() {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  TIME_ZONE_INFORMATION zone{};
  DWORD which = ::GetTimeZoneInformation(&zone);
  long bias = zone.Bias + (which == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : zone.StandardBias);
  return {local.wYear,   local.wMonth,  local.wDay,          local.wHour,
          local.wMinute, local.wSecond, local.wMilliseconds, static_cast<int>(-bias)};
}
#else
LocalTime SystemWallClock::local_now() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  ::localtime_r(&now.tv_sec, &local);
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          local.tm_hour,
          local.tm_min,
          local.tm_sec,
          static_cast<int>(now.tv_nsec / 1000000),
          static_cast<int>(local.tm_gmtoff / 60)};
}
#endif

std::string iso_8601(const LocalTime& t) {
  char buf[48];
  int offset = std::abs(t.utc_offset_minutes);
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second, t.utc_offset_minutes < 0 ? '-' : '+', offset / 60, offset % 60);
  return buf;
}

std::string file_stamp(const LocalTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d-%03d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.millisecond);
  return buf;
}

} // namespace lw
