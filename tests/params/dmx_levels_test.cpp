#include "params/dmx_levels.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

struct LevelCase {
  const char* text;
  std::int16_t level;
};

// By the integer rule, 0 to 255; everything else is shown as a bad value.
const LevelCase kCases[] = {
    {"0", 0},    {"255", 255}, {"128", 128}, {"007", 7},  {"+5", 5},           {"-0", 0},
    {"256", -1}, {"-1", -1},   {"", -1},     {"abc", -1}, {" 5", -1},          {"5 ", -1},
    {"12a", -1}, {"1.0", -1},  {"0x10", -1}, {"+", -1},   {"99999999999", -1}, {"-2147483648", -1},
};

DMX_Def_Table table_of_cases() {
  DMX_Def_Table table;
  for (const auto& c : kCases)
    table.push_back({c.text, "m"});
  return table;
}

TEST(DmxLevels, ShowBadWhereTheEditorsOkRefuses) {
  const auto levels = dmx_levels(table_of_cases());
  ASSERT_EQ(levels.size(), std::size(kCases));
  for (std::size_t i = 0; i < levels.size(); ++i) {
    EXPECT_EQ(levels[i], kCases[i].level) << "text: '" << kCases[i].text << "'";
    EXPECT_EQ(Controllo_dati({{kCases[i].text, ""}}).has_value(), kCases[i].level == kBadLevel)
        << "text: '" << kCases[i].text << "'";
  }
}

TEST(DmxLevels, AnUpdateReadsOnlyItsClippedSpan) {
  DMX_Def_Table table(6);
  auto levels = dmx_levels(table);
  for (auto& row : table)
    row.Default_Value = "9";
  update_levels(levels, table, 2, 3);
  EXPECT_EQ(levels, (std::vector<std::int16_t>{0, 0, 9, 9, 0, 0}));
  table[0].Default_Value = "x";
  table[5].Default_Value = "300";
  update_levels(levels, table, -4, 1);
  update_levels(levels, table, 5, 70000);
  EXPECT_EQ(levels, (std::vector<std::int16_t>{-1, 9, 9, 9, 0, -1}));
  update_levels(levels, table, 4, 3); // an empty span
  EXPECT_EQ(levels[4], 0);
}

TEST(DmxLevels, AnUpdateOfAnotherSizeReadsEverything) {
  DMX_Def_Table table(3, {"200", ""});
  std::vector<std::int16_t> levels;
  update_levels(levels, table, 1, 1);
  EXPECT_EQ(levels, (std::vector<std::int16_t>{200, 200, 200}));
}

} // namespace
} // namespace lw
