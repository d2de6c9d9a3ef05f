#include "params/dmx_levels.h"
#include "params/grid_edits.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

DMX_Def_Table values(std::initializer_list<const char*> texts) {
  DMX_Def_Table rows;
  for (const char* t : texts)
    rows.push_back({t, std::string("m") + t});
  return rows;
}

std::vector<std::string> value_texts(const DMX_Def_Table& rows) {
  std::vector<std::string> out;
  for (const auto& r : rows)
    out.push_back(r.Default_Value);
  return out;
}

struct LevelCase {
  const char* text;
  int level;
  LevelFault fault;
};

TEST(DmxLevel, IntegersAndWholePercentages) {
  const LevelCase cases[] = {
      {"0", 0, LevelFault::None},
      {"255", 255, LevelFault::None},
      {"007", 7, LevelFault::None},
      {"256", 0, LevelFault::ValueOutOfRange},
      {"-1", 0, LevelFault::ValueOutOfRange},
      {"0%", 0, LevelFault::None},
      {"50%", 128, LevelFault::None}, // 127.5 rounded half up
      {"1%", 3, LevelFault::None},    // 2.55
      {"100%", 255, LevelFault::None},
      {"101%", 0, LevelFault::PercentOutOfRange},
      {"-5%", 0, LevelFault::PercentOutOfRange},
      {"%", 0, LevelFault::NotALevel},
      {"", 0, LevelFault::NotALevel},
      {"12.5", 0, LevelFault::NotALevel},
      {"50 %x", 0, LevelFault::NotALevel},
      {"abc", 0, LevelFault::NotALevel},
  };
  for (const auto& c : cases) {
    LevelReading r = read_level(c.text);
    EXPECT_EQ(r.fault, c.fault) << c.text;
    EXPECT_EQ(r.level, c.level) << c.text;
  }
  EXPECT_EQ(dmx_level("200"), 200);
  EXPECT_EQ(dmx_level("50%"), -1); // the stored file holds integers only
  EXPECT_EQ(dmx_level(""), -1);
}

TEST(GridEdits, FillSetsTheCoveredValuesOnly) {
  auto rows = values({"1", "2", "3", "4"});
  EXPECT_TRUE(fill_values(rows, {1, 2, 2, 2}, 128)); // a mnemonic-only selection still fills its rows
  EXPECT_EQ(value_texts(rows), (std::vector<std::string>{"1", "128", "128", "4"}));
  EXPECT_EQ(rows[1].Mnemonic, "m2");
  EXPECT_FALSE(fill_values(rows, {1, 1, 2, 1}, 128));
  EXPECT_TRUE(fill_values(rows, {-5, 1, 100, 1}, 0)); // clipped to the table
  EXPECT_EQ(value_texts(rows), (std::vector<std::string>{"0", "0", "0", "0"}));
}

struct RampCase {
  const char* name;
  DMX_Def_Table rows;
  GridRange range;
  RampFault fault;
  int channel;
  std::vector<std::string> after;
};

TEST(GridEdits, RampRunsStraightBetweenTheEnds) {
  const RampCase cases[] = {
      {"rising",
       values({"0", "x", "x", "x", "x", "255"}),
       {0, 1, 5, 1},
       RampFault::None,
       0,
       {"0", "51", "102", "153", "204", "255"}},
      {"falling, halves rounded up",
       values({"255", "9", "0"}),
       {0, 1, 2, 1},
       RampFault::None,
       0,
       {"255", "128", "0"}},
      {"ends keep their text",
       values({"010", "0", "20"}),
       {0, 1, 2, 2},
       RampFault::None,
       0,
       {"010", "15", "20"}},
      {"inside a larger table",
       values({"7", "0", "0", "100", "7"}),
       {1, 1, 3, 1},
       RampFault::None,
       0,
       {"7", "0", "50", "100", "7"}},
      {"one channel", values({"1", "2"}), {0, 1, 0, 1}, RampFault::TooFewChannels, 0, {"1", "2"}},
      {"first end not a level",
       values({"x", "2", "3"}),
       {0, 1, 2, 1},
       RampFault::EndNotALevel,
       1,
       {"x", "2", "3"}},
      {"last end out of range",
       values({"1", "2", "300"}),
       {0, 1, 2, 1},
       RampFault::EndNotALevel,
       3,
       {"1", "2", "300"}},
  };
  for (auto c : cases) {
    RampOutcome out = ramp_values(c.rows, c.range);
    EXPECT_EQ(out.fault, c.fault) << c.name;
    EXPECT_EQ(out.channel, c.channel) << c.name;
    EXPECT_EQ(value_texts(c.rows), c.after) << c.name;
  }
}

TEST(GridEdits, StepHoldsWithinTheLevelsAndSkipsWhatIsNotALevel) {
  auto rows = values({"0", "250", "x", "100"});
  EXPECT_TRUE(step_values(rows, {0, 1, 3, 1}, 16));
  EXPECT_EQ(value_texts(rows), (std::vector<std::string>{"16", "255", "x", "116"}));
  EXPECT_TRUE(step_values(rows, {0, 1, 3, 1}, -20));
  EXPECT_EQ(value_texts(rows), (std::vector<std::string>{"0", "235", "x", "96"}));
  auto top = values({"255"});
  EXPECT_FALSE(step_values(top, {0, 1, 0, 1}, 1));
}

TEST(GridEdits, OneCellFillsASelectionAndABlockLandsAtItsCorner) {
  auto rows = values({"1", "2", "3", "4"});
  GridRange changed = paste_into(rows, {1, 1, 2, 2}, "42\r\n");
  EXPECT_EQ(rows[1], (DMX_Def_Row{"42", "42"}));
  EXPECT_EQ(rows[2], (DMX_Def_Row{"42", "42"}));
  EXPECT_EQ(rows[3], (DMX_Def_Row{"4", "m4"}));
  EXPECT_EQ(changed.top, 1);
  EXPECT_EQ(changed.bottom, 2);

  rows = values({"1", "2", "3", "4"});
  paste_into(rows, {0, 1, 3, 1}, "9");
  EXPECT_EQ(value_texts(rows), (std::vector<std::string>{"9", "9", "9", "9"}));
  EXPECT_EQ(rows[0].Mnemonic, "m1");

  rows = values({"1", "2", "3", "4"});
  paste_into(rows, {1, 1, 3, 2}, "7\tseven\n8\teight\n");
  EXPECT_EQ(rows[1], (DMX_Def_Row{"7", "seven"}));
  EXPECT_EQ(rows[2], (DMX_Def_Row{"8", "eight"}));
  EXPECT_EQ(rows[3], (DMX_Def_Row{"4", "m4"}));

  rows = values({"1", "2"});
  paste_into(rows, {0, 2, 0, 2}, "only"); // one cell into one cell
  EXPECT_EQ(rows[0], (DMX_Def_Row{"1", "only"}));
  EXPECT_EQ(rows[1], (DMX_Def_Row{"2", "m2"}));
}

} // namespace
} // namespace lw
