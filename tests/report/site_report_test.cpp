#include "core/identity.h"
#include "formats/html_document.h"
#include "params/par_gen.h"
#include "report/site_report.h"
#include "sheet_fixture.h"
#include "site_units.h"
#include "temp_dir.h"
#include "update/change_preview.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::rows_of;
using test::section;

// A name an HTML writer must escape and a cell must cut; Windows allows no
// angle brackets in a folder's name.
#ifdef _WIN32
const std::string kHostileName = "Hall & 'B' " + std::string(230, 'x');
#else
const std::string kHostileName = "Hall & <script>'B' " + std::string(225, 'x');
#endif

Par_Gen_Set set_with_id(const std::string& address, const char* modbus_id) {
  Par_Gen_Set set = test::set_at(address);
  set.MODBUS_SLAVE_IDDEVICE = modbus_id;
  return set;
}

std::string sha_start(const std::string& conf) {
  const image::Image image = compiled_image(conf);
  return image_sha256(image).substr(0, kSiteReportHashDigits);
}

// One unit in every state, two sharing an address, and one with a log.
class SiteReport : public testing::Test {
protected:
  void SetUp() override {
    texts.Fill_English_Texts();
    test::write_unit(projects, "Fresh", set_with_id("10.0.0.5", "3"));
    // Two units at one address: the site's check names both.
    test::write_unit(projects, "Twin", set_with_id("10.0.0.5", "4"));
    const std::string current = test::write_unit(projects, "Current", set_with_id("10.0.0.6", "5"));
    test::mark_sent(current);
    test::write_file(fs::join(current, "update-log.csv"),
                     test::kLogHeader +
                         "2026-03-01T10:00:00+01:00,10.0.0.6,all,yes,0x1,ab,updater_ended,0,\r\n");
    // Sent at .9, then moved to .7 in the files: the device is still at .9.
    const std::string moved = test::write_unit(projects, "Moved", set_with_id("10.0.0.9", "6"));
    test::mark_sent(moved);
    test::write_unit(projects, "Moved", set_with_id("10.0.0.7", "6"));
    test::write_unit(projects, "Refused", set_with_id("10.0.0.8", "999"));
    const std::string damaged = test::write_unit(projects, "Damaged", set_with_id("10.0.0.10", "7"));
    test::write_file(last_sent_path(damaged), "short");
    stdfs::create_directory(test::fs_path(fs::join(damaged, "update-log.csv")));
    stdfs::create_directories(test::fs_path(fs::join(projects, "Empty")));
    hostile = test::write_unit(projects, kHostileName, set_with_id("10.0.0.11", "8"));
  }
  doc::Document report() { return site_report({projects, wall.now, "en"}, texts); }

  test::TempDir dir;
  std::string projects = dir.file("PROJECTS");
  std::string hostile;
  TextTable texts;
  test::FakeWallClock wall;
};

TEST_F(SiteReport, OneRowPerUnitInEveryState) {
  const doc::Document d = report();
  EXPECT_EQ(d.title, "Site Report");
  EXPECT_EQ(d.page_number, "Page %1 of %2");
  EXPECT_EQ(d.page_header, "Site Report - " + iso_8601(wall.now) + " - " + projects);
  const auto rows = rows_of(d, "Units");
  const std::string cut_name = utf8::cut(kHostileName, kSheetCellChars);
  using Row = std::vector<std::string>;
  const std::vector<Row> expected = {
      {"Current", "10.0.0.6", "10.0.0.6", "5", "512",
       image_checksum_text(compiled_image(projects + "/Current")), sha_start(projects + "/Current"),
       "Up to date", "2026-03-01T10:00:00+01:00 updater_ended 0"},
      // What the device holds is unknown, so is where it is.
      {"Damaged", "", "10.0.0.10", "7", "512", image_checksum_text(compiled_image(projects + "/Damaged")),
       sha_start(projects + "/Damaged"), "Record unreadable", ""},
      {"Empty", "", "", "", "", "", "", "Not a configuration", ""},
      {"Fresh", "10.0.0.5", "10.0.0.5", "3", "512", image_checksum_text(compiled_image(projects + "/Fresh")),
       sha_start(projects + "/Fresh"), "Never sent", "None recorded"},
      {cut_name, "10.0.0.11", "10.0.0.11", "8", "512", image_checksum_text(compiled_image(hostile)),
       sha_start(hostile), "Never sent", "None recorded"},
      {"Moved", "10.0.0.9", "10.0.0.7", "6", "512", image_checksum_text(compiled_image(projects + "/Moved")),
       sha_start(projects + "/Moved"), "Changed: 2 fields, 0 channels", "None recorded"},
      {"Refused", "", "", "", "", "", "", "Refused", "None recorded"},
      {"Twin", "10.0.0.5", "10.0.0.5", "4", "512", image_checksum_text(compiled_image(projects + "/Twin")),
       sha_start(projects + "/Twin"), "Never sent", "None recorded"},
  };
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i], expected[i]) << i;
  EXPECT_EQ(section(d, "Units")->table.columns.size(), expected[0].size());
  EXPECT_TRUE(cut_name.ends_with(utf8::kCutMark));
  EXPECT_EQ(sha_start(projects + "/Fresh").size(), kSiteReportHashDigits);
}

// What a row has no room for is said after the table, each with its unit.
TEST_F(SiteReport, SaysWhyAUnitCantBeSentOrRead) {
  const doc::Document d = report();
  const doc::Section* remarks = section(d, "Remarks");
  ASSERT_NE(remarks, nullptr);
  ASSERT_EQ(remarks->lines.size(), 4u) << testing::PrintToString(remarks->lines);
  EXPECT_TRUE(remarks->lines[0].starts_with("Damaged: Record unreadable: ")) << remarks->lines[0];
  EXPECT_NE(remarks->lines[0].find("not the 2560 of a parameter image"), std::string::npos);
  EXPECT_TRUE(remarks->lines[1].starts_with("Damaged: The update log can't be shown: ")) << remarks->lines[1];
  EXPECT_TRUE(remarks->lines[2].starts_with("Empty: Not a configuration: ")) << remarks->lines[2];
  EXPECT_EQ(remarks->lines[3], "Refused: Refused: Error Modbus Slave!! ID Device must be between 1 and 247");
}

TEST_F(SiteReport, EndsWithTheAddressingNotesOfTheSite) {
  const doc::Document d = report();
  ASSERT_FALSE(d.sections.empty());
  EXPECT_EQ(d.sections.back().heading, "Addressing Notes");
  EXPECT_EQ(d.sections.back().lines, std::vector<std::string>{"Fresh, Twin: the same IP address 10.0.0.5"});
}

TEST_F(SiteReport, AnEmptySiteSaysSo) {
  test::TempDir empty;
  const doc::Document d = site_report({empty.path(), wall.now, "en"}, texts);
  EXPECT_EQ(section(d, "Units")->lines, std::vector<std::string>{"No configuration in this folder."});
  EXPECT_TRUE(section(d, "Units")->table.rows.empty());
  EXPECT_EQ(section(d, "Remarks"), nullptr);
  EXPECT_EQ(section(d, "Addressing Notes")->lines, std::vector<std::string>{"No addressing notes"});
}

// Read back as XML, a name is text, never markup.
TEST_F(SiteReport, HtmlKeepsNamesAsText) {
  const std::string html = html_document(report());
  pugi::xml_document parsed;
  auto result = parsed.load_string(html.c_str());
  ASSERT_TRUE(result) << result.description() << " at " << result.offset;
  EXPECT_STREQ(parsed.child("html").child("head").child_value("title"), "Site Report");
  std::vector<std::string> names;
  for (auto row : parsed.select_nodes("//table[@class='data']/tbody/tr"))
    names.push_back(row.node().child("td").child_value());
  ASSERT_EQ(names.size(), 8u);
  EXPECT_EQ(names[4], utf8::cut(kHostileName, kSheetCellChars));
  EXPECT_TRUE(parsed.select_nodes("//script").empty());
}

} // namespace
} // namespace lw
