#include "cli_run.h"
#include "fakes.h"
#include "formats/html_document.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "program_folder.h"
#include "report/commissioning_sheet.h"
#include "window_logic/commissioning_sheet_logic.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::run_cli;

const std::string kLogHeader = "time,address,option,read_back,checksum,sha256,outcome,exit_status,detail\r\n";

std::string log_line(int n, const std::string& outcome, const std::string& status = "") {
  return "2026-03-0" + std::to_string(n % 10) + "T10:00:00+01:00,192.168.0.5,all,yes,0x00001234,ab," +
         outcome + "," + status + ",\r\n";
}

// Every cell of a section's table, row by row.
std::vector<std::vector<std::string>> rows_of(const doc::Document& d, const std::string& heading) {
  for (const doc::Section& s : d.sections)
    if (s.heading == heading) return s.table.rows;
  ADD_FAILURE() << "no section " << heading;
  return {};
}

const doc::Section* section(const doc::Document& d, const std::string& heading) {
  for (const doc::Section& s : d.sections)
    if (s.heading == heading) return &s;
  return nullptr;
}

class Sheet : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("Hall & 'B'");
    Par_Gen_Set set;
    set.DMX_Num_Channels = "24";
    set.MODBUS_SLAVE_DMX_MAP = true;
    set.Ethernet_IP4 = "77";
    Save_Par_Gen(conf.File_ParGen, set);
    DMX_Def_Table table(24);
    table[0] = {"255", "Dimmer <main>"};
    table[23] = {"7", "Last"};
    Save_DMX_Defaults(conf.File_DMX_Default, table);
  }
  doc::Document sheet() {
    return commissioning_sheet({conf.Conf_Name, conf.Conf_Dir, wall.now, "en"}, catalogue.Text_Table);
  }
  void write_log(int lines) {
    std::string text = kLogHeader;
    for (int i = 1; i <= lines; ++i)
      text += log_line(i, i % 2 ? "updater_ended" : "device_not_found", i % 2 ? "0" : "");
    test::write_file(conf.Conf_Dir + "/update-log.csv", text);
  }
  test::FakeWallClock wall;
};

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

TEST(HtmlEscape, ControlCharactersShowAsReplacements) {
  EXPECT_EQ(html_escape(std::string("a\x01<b>\t'\n", 8)), "a\xEF\xBF\xBD&lt;b&gt;\t&#39;\n");
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

class SheetButton : public Sheet {
protected:
  test::FakeFilePicker files;
  test::FakeUrlOpener urls;
  test::FakePdfRenderer pdf;
  CommissioningSheetLogic logic{conf, catalogue, {messages, files, urls, wall, &pdf}};
};

TEST_F(SheetButton, CancelledWritesNothing) {
  files.answer = "";
  EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
  ASSERT_EQ(files.asked.size(), 1u);
  EXPECT_EQ(files.asked[0].start, fs::join(conf.Conf_Dir, conf.Conf_Name + ".pdf"));
  EXPECT_TRUE(pdf.rendered.empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SheetButton, WritesByTheSuffixAndOffersToOpen) {
  const std::vector<std::tuple<std::string, std::string, bool>> cases = {
      // answered, written, rendered as PDF
      {dir.file("out/sheet.PDF"), dir.file("out/sheet.PDF"), true},
      {dir.file("out/sheet.html"), dir.file("out/sheet.html"), false},
  };
  stdfs::create_directory(dir.file("out"));
  for (const auto& [answer, written, as_pdf] : cases) {
    pdf.rendered.clear();
    messages.shown.clear();
    urls.opened.clear();
    files.answer = answer;
    messages.answer_yes = true;
    EXPECT_EQ(logic.save_commissioning_sheet(), written);
    std::string bytes = test::read_file(written);
    EXPECT_EQ(pdf.rendered.size(), as_pdf ? 1u : 0u) << answer;
    EXPECT_TRUE(bytes.starts_with(as_pdf ? "%PDF" : "<!DOCTYPE html>")) << answer;
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The commissioning sheet is written to " + written + ". Open it now?");
    EXPECT_EQ(urls.opened, std::vector<std::string>{written});
  }
  // The next sheet starts where the last one went.
  files.answer = "";
  logic.save_commissioning_sheet();
  EXPECT_EQ(files.asked.back().start, fs::join(dir.file("out"), conf.Conf_Name + ".pdf"));
}

TEST_F(SheetButton, NoMeansTheSheetIsNotOpened) {
  files.answer = dir.file("s.pdf");
  messages.answer_yes = false;
  EXPECT_TRUE(logic.save_commissioning_sheet());
  EXPECT_TRUE(urls.opened.empty());
}

TEST_F(SheetButton, ANameWithoutASheetsSuffixIsRefused) {
  for (std::string name : {"sheet", "ParGen.xml", "notes.txt"}) {
    messages.shown.clear();
    files.answer = dir.file(name);
    EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "A commissioning sheet is written as .pdf or .html: " + dir.file(name));
    EXPECT_FALSE(stdfs::exists(dir.file(name + ".pdf")));
  }
  EXPECT_TRUE(pdf.rendered.empty());
}

TEST_F(SheetButton, AViewerThatCantBeStartedIsSaidSo) {
  files.answer = dir.file("s.pdf");
  urls.succeed = false;
  EXPECT_TRUE(logic.save_commissioning_sheet());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "The sheet is written, but no program to show it could be started.");
}

TEST_F(SheetButton, ErrorsAreShownAndLeaveWhatWasThere) {
  test::write_file(dir.file("s.pdf"), "old");
  files.answer = dir.file("s.pdf");
  pdf.failure = "PDF: the page could not be painted";
  EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
  test::write_file(conf.File_ParGen, "<Par_Gen><oops>");
  pdf.failure.reset();
  EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_EQ(messages.shown[0].text, "PDF: the page could not be painted");
  EXPECT_NE(messages.shown[1].text.find("ParGen.xml"), std::string::npos) << messages.shown[1].text;
  EXPECT_EQ(test::read_file(dir.file("s.pdf")), "old");
  EXPECT_TRUE(urls.opened.empty());
}

class CliReport : public Sheet {};

TEST_F(CliReport, WritesHtmlInTheChosenLanguage) {
  test::write_file(dir.file("LANGUAGE/Deutsch.lng"),
                   test::read_file(std::string(LOOMWORK_SOURCE) + "/LANGUAGE/Deutsch.lng"));
  auto r = run_cli(dir.path(), {"report", conf.Conf_Dir, "-o", dir.file("s.html"), "--language", "Deutsch"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, dir.file("s.html") + "\n");
  std::string html = test::read_file(dir.file("s.html"));
  EXPECT_NE(html.find("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"de\">"), std::string::npos);
  EXPECT_NE(html.find("<h2>Kommunikationsparameter</h2>"), std::string::npos);
}

TEST_F(CliReport, RefusesWhatItCantDo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"report", conf.Conf_Dir}, "usage: report CONF_DIR -o FILE"},
      {{"report", conf.Conf_Dir, "-o", dir.file("s.txt")}, "a sheet is written as .pdf, .html or .htm"},
      {{"report", dir.file("nowhere"), "-o", dir.file("s.html")}, "is not a folder"},
      {{"report", conf.Conf_Dir, "-o", dir.file("s.html"), "--language", "../English"},
       "no language ../English"},
      // In-process the companion has no PDF writer, as on a build without Qt.
      {{"report", conf.Conf_Dir, "-o", dir.file("s.pdf")}, "writes no PDF"},
  };
  for (const auto& [args, says] : cases) {
    auto r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_FALSE(stdfs::exists(dir.file("s.pdf")));
  }
  EXPECT_FALSE(stdfs::exists(dir.file("s.txt")));
}

// Neither a link nor a folder that is no configuration turns into a sheet.
TEST_F(CliReport, NeverWritesThroughALinkToTheConfiguratorsFiles) {
  const std::string par_gen = test::read_file(conf.File_ParGen);
  std::error_code ec;
  stdfs::create_symlink(stdfs::path(conf.File_ParGen), stdfs::path(dir.file("sheet.html")), ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  stdfs::create_directory_symlink(stdfs::path(conf.Conf_Dir) / "bin", stdfs::path(dir.file("out")), ec);
  ASSERT_FALSE(ec) << ec.message();
  stdfs::create_directories(conf.Conf_Dir + "/bin/sent");
  for (const std::string& target : {dir.file("sheet.html"), dir.file("out/sent/x.html")}) {
    auto r = run_cli(dir.path(), {"report", conf.Conf_Dir, "-o", target});
    EXPECT_EQ(r.status, 1) << target;
    EXPECT_TRUE(r.err.starts_with("Cannot write " + target + ": ")) << r.err;
  }
  EXPECT_EQ(test::read_file(conf.File_ParGen), par_gen);
  EXPECT_TRUE(stdfs::is_empty(conf.Conf_Dir + "/bin/sent"));
}

TEST_F(CliReport, AFolderThatIsNoConfigurationIsRefused) {
  for (const std::string& folder : {dir.file("PROJECTS"), conf.Conf_Dir + "/bin", dir.path()}) {
    auto r = run_cli(dir.path(), {"report", folder, "-o", dir.file("s.html")});
    EXPECT_EQ(r.status, 2) << folder;
    EXPECT_NE(r.err.find("no configuration there"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(stdfs::exists(dir.file("s.html")));
}

} // namespace
} // namespace lw
