#include "platform/clock.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

TEST(LocalTimeText, Iso8601WithOffsetAndFileStamp) {
  LocalTime t{2026, 3, 1, 14, 5, 9, 42, 60};
  EXPECT_EQ(iso_8601(t), "2026-03-01T14:05:09+01:00");
  EXPECT_EQ(file_stamp(t), "20260301-140509-042");
  t.utc_offset_minutes = -210;
  EXPECT_EQ(iso_8601(t), "2026-03-01T14:05:09-03:30");
  t.utc_offset_minutes = 0;
  EXPECT_EQ(iso_8601(t), "2026-03-01T14:05:09+00:00");
  // The system's own time reads back as a time of this century.
  LocalTime now = SystemWallClock().local_now();
  EXPECT_GE(now.year, 2024);
  EXPECT_LT(now.millisecond, 1000);
}

} // namespace
} // namespace lw
