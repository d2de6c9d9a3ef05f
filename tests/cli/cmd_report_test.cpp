#include "cli_run.h"
#include "platform/files.h"
#include "sheet_fixture.h"
#include "site_units.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::log_line;
using test::rows_of;
using test::run_cli;
using test::section;
using test::Sheet;

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
      // A name that would retitle the terminal is shown, not obeyed.
      {{"report", conf.Conf_Dir, "-o", dir.file("s.html"), "--language",
        "\x1b]0;owned\x07"
        "Deutsch"},
       "no language "},
      // In-process the companion has no PDF writer, as on a build without Qt.
      {{"report", conf.Conf_Dir, "-o", dir.file("s.pdf")}, "writes no PDF"},
  };
  for (const auto& [args, says] : cases) {
    auto r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find_first_of("\x1b\x07"), std::string::npos) << r.err;
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

// The site beside the sheet's configuration: one unit step 4 would refuse.
class CliReportSite : public Sheet {
protected:
  void SetUp() override {
    Sheet::SetUp();
    Par_Gen_Set refused = test::set_at("10.0.0.8");
    refused.MODBUS_SLAVE_IDDEVICE = "0";
    test::write_unit(dir.file("PROJECTS"), "Refused", refused);
  }
};

TEST_F(CliReportSite, WritesEveryUnitOfThePROJECTSBesideTheProgram) {
  auto r = run_cli(dir.path(), {"report", "--site", "-o", dir.file("site.html")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, dir.file("site.html") + "\n");
  const std::string html = test::read_file(dir.file("site.html"));
  pugi::xml_document parsed;
  auto result = parsed.load_string(html.c_str());
  ASSERT_TRUE(result) << result.description() << " at " << result.offset;
  EXPECT_STREQ(parsed.child("html").child("head").child_value("title"), "Site Report");
  std::vector<std::string> headings;
  for (auto h : parsed.select_nodes("//h2"))
    headings.push_back(h.node().child_value());
  EXPECT_EQ(headings, (std::vector<std::string>{"Site", "Units", "Remarks", "Addressing Notes"}));
  std::vector<std::vector<std::string>> rows;
  for (auto tr : parsed.select_nodes("//table[@class='data']/tbody/tr")) {
    rows.emplace_back();
    for (auto td : tr.node().children("td"))
      rows.back().push_back(td.child_value());
  }
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], "Hall & 'B'");
  EXPECT_EQ(rows[0][2], "192.168.0.77");
  EXPECT_EQ(rows[0][7], "Never sent");
  EXPECT_EQ(rows[1][0], "Refused");
  EXPECT_EQ(rows[1][7], "Refused");
}

// Refused before anything is written, each with the status of a usage error.
TEST_F(CliReportSite, RefusesWhatItCantDo) {
  test::TempDir bare; // a program folder without PROJECTS
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"usage: report --site [PROJECTS_DIR] -o FILE", {"report", "--site"}},
      {"is not a folder", {"report", "--site", dir.file("nowhere"), "-o", dir.file("s.html")}},
      {"a sheet is written as .pdf, .html or .htm", {"report", "--site", "-o", dir.file("s.txt")}},
      {"no language Klingon", {"report", "--site", "-o", dir.file("s.html"), "--language", "Klingon"}},
      // In-process the companion has no PDF writer, as on a build without Qt.
      {"writes no PDF", {"report", "--site", "-o", dir.file("s.pdf")}},
  };
  for (const auto& [says, args] : cases) {
    auto r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 2) << says;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
  }
  auto no_projects = run_cli(bare.path(), {"report", "--site", "-o", bare.file("s.html")});
  EXPECT_EQ(no_projects.status, 2);
  EXPECT_NE(no_projects.err.find(test::native("PROJECTS") + " is not a folder"), std::string::npos)
      << no_projects.err;
  for (const char* name : {"s.html", "s.txt", "s.pdf"})
    EXPECT_FALSE(stdfs::exists(dir.file(name))) << name;
  EXPECT_FALSE(stdfs::exists(bare.file("s.html")));
}

// The program itself, with Qt's PDF writer when it was built with one, read
// back as text.
TEST_F(CliReportSite, TheCompanionsPdfReadsBack) {
#ifdef _WIN32
  GTEST_SKIP() << "pdftotext is a program of the Linux build; under Wine there is none";
#else
  const std::string pdf = dir.file("site.pdf"), err = dir.file("err.txt"), text = dir.file("site.txt");
  const std::string run = "\"" + std::string(LOOMWORK_CLI) + "\" report --site \"" + dir.file("PROJECTS") +
                          "\" -o \"" + pdf + "\" >/dev/null 2>\"" + err + "\"";
  const int status = WEXITSTATUS(std::system(run.c_str()));
  if (status == 2 && test::read_file(err).find("writes no PDF") != std::string::npos)
    GTEST_SKIP() << "this companion was built without a PDF writer";
  ASSERT_EQ(status, 0) << test::read_file(err);
  const std::string read = "pdftotext \"" + pdf + "\" \"" + text + "\" 2>/dev/null";
  if (WEXITSTATUS(std::system(read.c_str())) == 127) GTEST_SKIP() << "no pdftotext (poppler-utils) here";
  // A cell or a line wraps where the page has no room: one space for any run.
  std::string shown;
  for (char c : test::read_file(text)) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\f';
    if (!blank)
      shown += c;
    else if (!shown.empty() && shown.back() != ' ')
      shown += ' ';
  }
  for (const char* expected : {"Site Report", "Page 1 of 1", "Hall & 'B'", "192.168.0.77", "Addressing Notes",
                               "Refused: Refused: Error Modbus Slave!! ID Device must be between 1 and 247"})
    EXPECT_NE(shown.find(expected), std::string::npos) << expected << "\n" << shown;
#endif
}

} // namespace
} // namespace lw
