#include "cli_run.h"
#include "platform/files.h"
#include "sheet_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>

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

} // namespace
} // namespace lw
