#include "formats/errors.h"
#include "params/dmx_csv.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

// Eight channels, one of them set, as the sheets below find them.
DMX_Def_Table base_table() {
  DMX_Def_Table t(8);
  t[2] = {"7", "old"};
  return t;
}

struct ImportCase {
  const char* name;
  std::string text;
  std::vector<std::pair<int, DMX_Def_Row>> changes; // channel from 1, its row afterwards
  std::string refusal;                              // empty: the sheet is taken
};

class DmxCsvImport : public testing::TestWithParam<ImportCase> {};

TEST_P(DmxCsvImport, TakesTheWholeSheetOrNothing) {
  const auto& c = GetParam();
  DMX_Def_Table expected = base_table();
  for (const auto& [channel, row] : c.changes)
    expected[static_cast<std::size_t>(channel - 1)] = row;
  if (c.refusal.empty()) {
    EXPECT_EQ(import_dmx_csv(c.text, base_table(), "sheet.csv"), expected);
    return;
  }
  try {
    import_dmx_csv(c.text, base_table(), "sheet.csv");
    ADD_FAILURE() << "taken";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "sheet.csv: " + c.refusal);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DmxCsvImport,
    testing::Values(
        ImportCase{"comma_lf",
                   "Channel,Value,Mnemonic\n1,10,Front\n2,20,Back\n",
                   {{1, {"10", "Front"}}, {2, {"20", "Back"}}},
                   ""},
        ImportCase{"semicolon_crlf_bom",
                   "\xEF\xBB\xBF"
                   "Channel;Value;Mnemonic\r\n4;255;Wash\r\n3;1;\r\n",
                   {{4, {"255", "Wash"}}, {3, {"1", ""}}},
                   ""},
        ImportCase{"quotes_with_separators_and_doubled_quotes",
                   "Channel,Value,Mnemonic\n1,5,\"Spot, left \"\"A\"\"\"\n2,\"6\",\"a;b\"\n",
                   {{1, {"5", "Spot, left \"A\""}}, {2, {"6", "a;b"}}},
                   ""},
        ImportCase{"semicolon_quotes",
                   "Channel;Value;Mnemonic\n1;5;\"x;y, \"\"z\"\"\"\n",
                   {{1, {"5", "x;y, \"z\""}}},
                   ""},
        // Rounded half up: 1% is 2.55, 50% is 127.5.
        ImportCase{"percentages_without_mnemonics",
                   "Channel,Value\n1,50%\n2,100%\n3,0%\n4,1%\n",
                   {{1, {"128", ""}}, {2, {"255", ""}}, {3, {"0", "old"}}, {4, {"3", ""}}},
                   ""},
        ImportCase{"reordered_unknown_columns_any_case",
                   "Note,value,Register (0-based),CHANNEL\nx,9,2,3\n",
                   {{3, {"9", "old"}}},
                   ""},
        ImportCase{"rows_in_any_order", "Channel,Value\n8,1\n2,2\n", {{8, {"1", ""}}, {2, {"2", ""}}}, ""},
        // The integer rule writes "+010" as 10; a value equal to the stored
        // one keeps its text.
        ImportCase{"integer_rule", "Channel,Value\n1,+010\n3,07\n", {{1, {"10", ""}}}, ""},
        ImportCase{"empty_records_pass", "Channel,Value,Mnemonic\n,,\n1,4,a\n, ,\n", {{1, {"4", "a"}}}, ""},
        ImportCase{"header_only_changes_nothing", "Channel,Value,Mnemonic\r\n", {}, ""},
        ImportCase{"empty_file", "", {}, "the sheet is empty"},
        ImportCase{"bom_only", "\xEF\xBB\xBF", {}, "the sheet is empty"},
        ImportCase{"no_value_column", "Channel,Mnemonic\n1,a\n", {}, "row 1: no Value column"},
        ImportCase{"value_too_high_after_good_rows",
                   "Channel,Value\n1,1\n2,300\n",
                   {},
                   "row 3: Value 300 must be between 0 and 255"},
        ImportCase{
            "value_negative", "Channel,Value\n1,-1\n", {}, "row 2: Value -1 must be between 0 and 255"},
        ImportCase{"percentage_too_high",
                   "Channel,Value\n1,120%\n",
                   {},
                   "row 2: Value 120% must be between 0% and 100%"},
        ImportCase{"value_not_a_number",
                   "Channel;Value\n1;12.5\n",
                   {},
                   "row 2: Value '12.5' is neither an integer from 0 to 255 nor a percentage"},
        ImportCase{"value_blank_around",
                   "Channel,Value\n1, 5\n",
                   {},
                   "row 2: Value ' 5' is neither an integer from 0 to 255 nor a percentage"},
        ImportCase{"value_missing",
                   "Channel,Value,Mnemonic\n1,,a\n",
                   {},
                   "row 2: Value '' is neither an integer from 0 to 255 nor a percentage"},
        ImportCase{"channel_beyond_the_count",
                   "Channel,Value\n1,1\n9,1\n",
                   {},
                   "row 3: Channel 9 is beyond the configuration's 8 channels"},
        ImportCase{"channel_zero",
                   "Channel,Value\n0,1\n",
                   {},
                   "row 2: Channel '0' is not a channel number from 1 to 8"},
        ImportCase{"channel_not_a_number",
                   "Channel,Value\nch1,1\n",
                   {},
                   "row 2: Channel 'ch1' is not a channel number from 1 to 8"},
        ImportCase{"channel_twice",
                   "Channel,Value\n1,1\n2,2\n+1,3\n",
                   {},
                   "row 4: Channel 1 is given twice (first in row 2)"},
        ImportCase{"short_row_keeps_the_mnemonic",
                   "Channel,Value,Mnemonic\n3,9\n4,1,\n",
                   {{3, {"9", "old"}}, {4, {"1", ""}}},
                   ""},
        ImportCase{"percentage_not_whole",
                   "Channel,Value\n1,50.5%\n",
                   {},
                   "row 2: Value '50.5%' is not a whole percentage from 0% to 100%"},
        ImportCase{"control_character_in_a_mnemonic",
                   "Channel,Value,Mnemonic\n1,1,a\x01"
                   "b\n",
                   {},
                   "row 2: Mnemonic holds the control character U+0001"},
        ImportCase{"line_end_in_a_quoted_mnemonic",
                   "Channel,Value,Mnemonic\n1,1,\"a\nb\"\n",
                   {},
                   "row 2: Mnemonic holds the control character U+000A"},
        ImportCase{"control_character_shown_plainly",
                   "Channel,Value\n1\x1b,1\n",
                   {},
                   "row 2: Channel '1?' is not a channel number from 1 to 8"},
        ImportCase{"two_channel_columns", "Channel,Value,channel\n1,1,2\n", {}, "row 1: two Channel columns"},
        ImportCase{"not_utf8",
                   "Channel,Value,Mnemonic\n1,1,caf\xE9\n",
                   {},
                   "the sheet is not UTF-8 text; save it as CSV in UTF-8"},
        ImportCase{"utf16",
                   std::string("\xFF\xFE"
                               "C\0h\0",
                               6),
                   {},
                   "the sheet is UTF-16 text; save it as CSV in UTF-8"},
        ImportCase{"stray_quote",
                   "Channel,Value\n1,1\n2,2\"\n",
                   {},
                   "row 3: a quote inside a field that does not begin with one"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DmxCsvExport, HeaderRowsAndRegisterColumn) {
  DMX_Def_Table t{{"0", ""}, {"255", "Spot, \"A\""}, {"12", " lead"}};
  EXPECT_EQ(dmx_csv(t, false), "Channel,Value,Mnemonic,Register (0-based)\r\n"
                               "1,0,,\r\n"
                               "2,255,\"Spot, \"\"A\"\"\",\r\n"
                               "3,12,\" lead\",\r\n");
  EXPECT_EQ(dmx_csv(t, true), "Channel,Value,Mnemonic,Register (0-based)\r\n"
                              "1,0,,0\r\n"
                              "2,255,\"Spot, \"\"A\"\"\",1\r\n"
                              "3,12,\" lead\",2\r\n");
}

TEST(DmxCsvExport, ImportedBackGivesTheSameTableAndTheSameFile) {
  DMX_Def_Table t(300);
  for (std::size_t i = 0; i < t.size(); ++i)
    t[i] = {std::to_string(i * 7 % 256), i % 3 ? "ch " + std::to_string(i) : ""};
  t[4].Mnemonic = "Gobo; \"wheel\", 2";
  t[5].Mnemonic = "Farbe Grün \xE2\x80\x93 links";
  DMX_Def_Table typed = t;
  typed[6].Default_Value = "+08"; // kept as typed when read back over itself
  for (bool map : {false, true}) {
    DMX_Def_Table back = import_dmx_csv(dmx_csv(t, map), DMX_Def_Table(t.size()), "t.csv");
    EXPECT_EQ(back, t) << map;
    EXPECT_EQ(dmx_defaults_xml(back), dmx_defaults_xml(t));
    EXPECT_EQ(import_dmx_csv(dmx_csv(typed, map), typed, "t.csv"), typed);
  }
}

TEST(DmxCsvImport, CountsTheChannelsThatDiffer) {
  DMX_Def_Table before = base_table();
  EXPECT_EQ(
      changed_channels(before, import_dmx_csv("Channel,Value,Mnemonic\n1,0,\n2,5,\n3,7,new\n", before, "s")),
      2);
}

} // namespace
} // namespace lw
