#include "formats/csv.h"
#include "formats/errors.h"
#include "repeated.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

using Records = std::vector<std::vector<std::string>>;

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<std::string> header;
  Records records;
  char separator;
};

Records records_of(const csv::Sheet& sheet) {
  Records out;
  for (std::size_t r = 0; r < sheet.size(); ++r)
    out.push_back(sheet.record(r));
  return out;
}

class CsvParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CsvParse, ReadsAsASpreadsheetWrote) {
  const auto& c = GetParam();
  csv::Sheet sheet = csv::parse(c.text, "sheet.csv", 100);
  EXPECT_EQ(sheet.header, c.header);
  EXPECT_EQ(records_of(sheet), c.records);
  EXPECT_EQ(sheet.separator, c.separator);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvParse,
    testing::Values(
        ParseCase{"comma_crlf",
                  "Channel,Value\r\n1,10\r\n2,20\r\n",
                  {"Channel", "Value"},
                  {{"1", "10"}, {"2", "20"}},
                  ','},
        ParseCase{"semicolon_lf_bom",
                  "\xEF\xBB\xBF"
                  "Channel;Value\n1;10\n",
                  {"Channel", "Value"},
                  {{"1", "10"}},
                  ';'},
        ParseCase{"old_mac_cr", "A,B\r1,2\r", {"A", "B"}, {{"1", "2"}}, ','},
        ParseCase{"no_final_line_end", "A,B\n1,2", {"A", "B"}, {{"1", "2"}}, ','},
        ParseCase{
            "blank_lines_skipped", "A,B\n\n1,2\r\n\r\n3,4\n", {"A", "B"}, {{"1", "2"}, {"3", "4"}}, ','},
        ParseCase{"quotes_doubled_and_separators_inside",
                  "Mnemonic;Value\n\"Spot \"\"A\"\"; left\";7\n",
                  {"Mnemonic", "Value"},
                  {{"Spot \"A\"; left", "7"}},
                  ';'},
        ParseCase{
            "line_end_inside_quotes", "A,B\n\"two\r\nlines\",x\n", {"A", "B"}, {{"two\r\nlines", "x"}}, ','},
        ParseCase{"empty_fields_kept", "A,B,C\n,x,\n", {"A", "B", "C"}, {{"", "x", ""}}, ','},
        // A spreadsheet saves its empty rows as separators alone: blank lines.
        ParseCase{
            "empty_rows_skipped", "A,B,C\n,,\n \t, ,\n1,2,3\n", {"A", "B", "C"}, {{"1", "2", "3"}}, ','},
        ParseCase{"blanks_around_quotes", "A,B\n  \"x\"  ,y\n", {"A", "B"}, {{"x", "y"}}, ','},
        ParseCase{"separator_from_header_only", "Name;Note\nx;a,b\n", {"Name", "Note"}, {{"x", "a,b"}}, ';'},
        // Not UTF-16 for one NUL, which UTF-16 has beside every letter.
        ParseCase{"a_stray_nul",
                  std::string("A,B\n1,x\0y\n", 11),
                  {"A", "B"},
                  {{"1", std::string("x\0y", 3)}},
                  ','},
        ParseCase{"empty_text", "", {}, {}, ','}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
  const char* name;
  std::string text;
  const char* message; // what the error says, row included
};

class CsvRefuses : public testing::TestWithParam<BadCase> {};

TEST_P(CsvRefuses, NamingTheRow) {
  try {
    (void)csv::parse(GetParam().text, "units.csv", 100);
    FAIL() << "parsed";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvRefuses,
    testing::Values(BadCase{"open_quote", "A,B\n1,2\n\"3,4\n",
                            "units.csv: row 3: a quoted field is not closed"},
                    BadCase{"stray_quote", "A,B\n1,2\"x\n",
                            "units.csv: row 2: a quote inside a field that does not begin with one"},
                    BadCase{"text_after_quote", "A,B\n\"1\"x,2\n",
                            "units.csv: row 2: text after the closing quote of a field"},
                    BadCase{"too_many_fields", "A\n1" + std::string(128, ',') + "\n",
                            "units.csv: row 2: more than 128 fields, more than any sheet of the program has"},
                    BadCase{"too_many_rows", "A\n" + test::repeated("x\n", 101),
                            "units.csv: row 102: more than 100 rows, more than a sheet of this kind holds"},
                    BadCase{"utf16_without_its_mark", std::string("A\0,\0B\0\n\0", 8),
                            "units.csv: the sheet is UTF-16 text; save it as CSV in UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvWrite, RowsReadBackUnchanged) {
  const Records rows = {{"Channel", "Value", "Mnemonic"},
                        {"1", "0", "plain"},
                        {"2", "255", "with, comma"},
                        {"3", "7", "say \"hi\""},
                        {"4", "8", "two\nlines"},
                        {"5", "9", " padded "},
                        {"6", "", ""}};
  for (char separator : {',', ';'}) {
    std::string text;
    for (const auto& row : rows)
      text += csv::format_row(row, separator);
    csv::Sheet sheet = csv::parse(text, "x.csv", 100);
    ASSERT_EQ(sheet.size(), rows.size() - 1) << text;
    EXPECT_EQ(sheet.header, rows[0]);
    for (std::size_t i = 1; i < rows.size(); ++i)
      EXPECT_EQ(sheet.record(i - 1), rows[i]) << separator;
  }
  EXPECT_EQ(csv::format_row({"a", "b c", "d;e"}), "a,b c,d;e\r\n");
  EXPECT_EQ(csv::format_row({"a", "d;e"}, ';'), "a;\"d;e\"\r\n");
}

TEST(CsvSheet, ColumnsByNameInAnyCaseAndShortRecords) {
  csv::Sheet sheet = csv::parse(" value ,CHANNEL\n7\n", "x.csv", 100);
  ASSERT_EQ(sheet.size(), 1u);
  EXPECT_EQ(sheet.column("Value"), 0u);
  EXPECT_EQ(sheet.column("Channel"), 1u);
  EXPECT_EQ(sheet.column("Mnemonic"), std::nullopt);
  EXPECT_EQ(sheet.field(0, 0), "7");
  EXPECT_EQ(sheet.field(0, 1), "");
  EXPECT_EQ(sheet.row_number(0), 2);
}

} // namespace
} // namespace lw

namespace lw {
namespace {

// Rows are numbered as the spreadsheet shows them, blank lines included.
TEST(CsvSheet, RowNumbersCountBlankLines) {
  csv::Sheet sheet = csv::parse("A,B\r\n1,2\r\n\r\n\"x\ny\",3\n4,5\n", "x.csv", 100);
  ASSERT_EQ(sheet.size(), 3u);
  EXPECT_EQ(sheet.row_number(0), 2);
  EXPECT_EQ(sheet.row_number(1), 4);
  EXPECT_EQ(sheet.row_number(2), 5);
  try {
    (void)csv::parse("A,B\n\n1,2\"\n", "x.csv", 100);
    FAIL() << "parsed";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "x.csv: row 3: a quote inside a field that does not begin with one");
  }
}

} // namespace
} // namespace lw
