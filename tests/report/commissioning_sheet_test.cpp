#include "formats/html_document.h"
#include "report/commissioning_sheet.h"
#include "sheet_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <pugixml.hpp>
#include <utility>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::kLogHeader;
using test::log_line;
using test::rows_of;
using test::section;
using test::Sheet;

TEST_F(Sheet, SaysWhatTheImageGivesTheDevice) {
  doc::Document d = sheet();
  EXPECT_EQ(d.title, "Commissioning Sheet: Hall & 'B'");
  EXPECT_EQ(d.page_number, "Page %1 of %2");
  EXPECT_NE(d.page_header.find("Hall & 'B'"), std::string::npos);
  auto params = rows_of(d, "Communication Parameters");
  EXPECT_NE(std::find(params.begin(), params.end(), std::vector<std::string>{"IP Address", "192.168.0.77"}),
            params.end());
  EXPECT_NE(std::find(params.begin(), params.end(), std::vector<std::string>{"Channel Number", "24"}),
            params.end());
  auto channels = rows_of(d, "DMX Default Values");
  ASSERT_EQ(channels.size(), 24u);
  EXPECT_EQ(channels[0], (std::vector<std::string>{"1", "255", "Dimmer <main>", "0"}));
  EXPECT_EQ(channels[23], (std::vector<std::string>{"24", "7", "Last", "23"}));
  const doc::Section* image = section(d, "Parameter Image");
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->lines.size(), 2u);
  EXPECT_TRUE(image->lines[0].starts_with("Checksum: 0x")) << image->lines[0];
  EXPECT_EQ(image->lines[1].size(), std::string("SHA-256: ").size() + 64);
  EXPECT_TRUE(section(d, "Configuration")->lines.empty()); // nothing the update would refuse
  EXPECT_EQ(section(d, "Last Updates")->lines,
            std::vector<std::string>{"No update of this configuration has been recorded."});
}

// What the device reads: a gateway left off is no address, and values the
// image holds after the channel count are listed too, and said to be there.
TEST_F(Sheet, ShowsWhatTheDeviceGetsBeyondTheEditorsFields) {
  Par_Gen_Set set = Load_Par_Gen(conf.File_ParGen);
  set.Ethernet_EN_GAT = false;
  Save_Par_Gen(conf.File_ParGen, set);
  DMX_Def_Table table(40);
  table[29] = {"9", "Left over"};
  Save_DMX_Defaults(conf.File_DMX_Default, table);
  doc::Document d = sheet();
  auto params = rows_of(d, "Communication Parameters");
  EXPECT_NE(std::find(params.begin(), params.end(), std::vector<std::string>{"Gateway", "Off"}),
            params.end());
  const doc::Section* channels = section(d, "DMX Default Values");
  ASSERT_EQ(channels->table.rows.size(), 30u);
  EXPECT_EQ(channels->table.rows[29], (std::vector<std::string>{"30", "9", "Left over", "29"}));
  EXPECT_EQ(channels->lines,
            std::vector<std::string>{"Channels 25 to 30 lie beyond the channel count; the image "
                                     "holds their values all the same."});
}

// A sheet to sign says first when the update would refuse what it shows.
TEST_F(Sheet, SaysWhenTheUpdateWouldRefuseTheConfiguration) {
  Par_Gen_Set set = Load_Par_Gen(conf.File_ParGen);
  set.MODBUS_SLAVE_STOPBITS = 1;
  set.MODBUS_SLAVE_PARITY = 1;
  Save_Par_Gen(conf.File_ParGen, set);
  doc::Document d = sheet();
  ASSERT_EQ(section(d, "Configuration")->lines.size(), 1u);
  EXPECT_TRUE(section(d, "Configuration")
                  ->lines[0]
                  .starts_with("Warning: Update Device refuses this configuration as it is: "))
      << section(d, "Configuration")->lines[0];
}

TEST_F(Sheet, RegistersAreLeftEmptyWhenChannelsShareThem) {
  Par_Gen_Set set = Load_Par_Gen(conf.File_ParGen);
  set.MODBUS_SLAVE_DMX_MAP = false;
  Save_Par_Gen(conf.File_ParGen, set);
  EXPECT_EQ(rows_of(sheet(), "DMX Default Values")[0][3], "");
}

TEST_F(Sheet, ShowsTheLogsLastLinesNewestLast) {
  write_log(12);
  auto rows = rows_of(sheet(), "Last Updates");
  ASSERT_EQ(rows.size(), kSheetLogLines);
  EXPECT_EQ(rows.front()[0], "2026-03-03T10:00:00+01:00");
  EXPECT_EQ(rows.back(), (std::vector<std::string>{"2026-03-02T10:00:00+01:00", "192.168.0.5", "all", "yes",
                                                   "0x00001234", "device_not_found"}));
  EXPECT_EQ(rows[8][5], "updater_ended 0");
}

TEST_F(Sheet, ALogThatCantBeReadIsSaidSoOnTheSheet) {
  stdfs::create_directory(conf.Conf_Dir + "/update-log.csv");
  doc::Document d = sheet();
  const doc::Section* s = section(d, "Last Updates");
  ASSERT_NE(s, nullptr);
  ASSERT_EQ(s->lines.size(), 1u);
  EXPECT_TRUE(s->lines[0].starts_with("The update log can't be shown: ")) << s->lines[0];
  EXPECT_TRUE(s->table.rows.empty());
}

TEST_F(Sheet, AConfigurationThatDoesNotCompileIsAnError) {
  test::write_file(conf.File_ParGen, "<Par_Gen><oops>");
  EXPECT_THROW(sheet(), FileError);
}

TEST_F(Sheet, HtmlIsOneWellFormedFileThatShowsNamesAsText) {
  write_log(2);
  std::string html = html_document(sheet());
  EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n"));
  EXPECT_EQ(html.find("src="), std::string::npos);
  EXPECT_NE(html.find("@page{@top-right{content:\"Page \" counter(page) \" of \" counter(pages) \"\";"),
            std::string::npos);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  pugi::xml_document parsed;
  auto result = parsed.load_string(html.c_str());
  ASSERT_TRUE(result) << result.description() << " at " << result.offset;
  pugi::xml_node root = parsed.child("html");
  EXPECT_STREQ(root.attribute("lang").value(), "en");
  EXPECT_STREQ(root.child("head").child_value("title"), "Commissioning Sheet: Hall & 'B'");
  std::vector<std::string> headings;
  for (auto h : parsed.select_nodes("//h2"))
    headings.push_back(h.node().child_value());
  EXPECT_EQ(headings, (std::vector<std::string>{"Configuration", "Communication Parameters",
                                                "DMX Default Values", "Parameter Image", "Last Updates"}));
  auto cell = parsed.select_node("//table[@class='data']/tbody/tr[1]/td[3]");
  EXPECT_STREQ(cell.node().child_value(), "Dimmer <main>");
  EXPECT_EQ(parsed.select_nodes("//table[@class='data']").size(), 2u); // channels and updates
  // The page header heads the outer table, so print repeats it on each page.
  EXPECT_NE(std::string(parsed.select_node("//table[@class='page']/thead//td").node().child_value())
                .find("Hall & 'B'"),
            std::string::npos);
}

TEST(SheetFormat, ComesFromTheSuffixInAnyCase) {
  const std::vector<std::pair<std::string, std::optional<SheetFormat>>> cases = {
      {"a.pdf", SheetFormat::Pdf},   {"dir/A.PDF", SheetFormat::Pdf},
      {"a.html", SheetFormat::Html}, {"a.HTM", SheetFormat::Html},
      {"a.pdf.txt", std::nullopt},   {"pdf", std::nullopt},
      {"x.pdf/b", std::nullopt},     {"", std::nullopt}};
  for (const auto& [path, format] : cases)
    EXPECT_EQ(sheet_format(path), format) << path;
}

} // namespace
} // namespace lw
