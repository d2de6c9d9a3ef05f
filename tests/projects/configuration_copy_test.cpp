#include "folder_tree.h"
#include "formats/errors.h"
#include "program_folder.h"
#include "projects/configuration_copy.h"
#include "window_logic/duplicate_conf_dialog.h"
#include "window_logic/open_conf_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

using test::tree;

class Duplicate : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    source = dir.file("PROJECTS/Line 3");
    stdfs::create_directories(source + "/bin");
    test::write_file(source + "/ParGen.xml", "<Par_Gen><Ethernet_IP4>7</Ethernet_IP4></Par_Gen>");
    test::write_file(source + "/DMX_Default_Values.xml", "<DMX><Row Default_Value=\"9\"/></DMX>");
    test::write_file(source + "/ModbusM_SetAccess.xml", "<M/>");
    test::write_file(source + "/bin/bank.bin", std::string("\0\x01\xFF\r\n", 5) + std::string(2555, 'x'));
  }
  std::map<std::string, std::string> projects() const { return tree(folders.Projects_Dir); }

  std::string source;
  DuplicateConfLogic logic{folders, catalogue, messages};
};

TEST_F(Duplicate, CopiesTheConfigurationsFilesByteForByte) {
  // Neither belongs to the configuration: a note of the user's and what a
  // write killed halfway left.
  test::write_file(source + "/notes.txt", "mine");
  test::write_file(source + "/ParGen.xml.tmpAb12Cd", "half");
  auto before = tree(source);
  EXPECT_EQ(logic.FormShow("Line 3"), "Line 3");
  ASSERT_TRUE(logic.Btn_OKClick("Line 4"));
  EXPECT_TRUE(messages.shown.empty());
  auto copy = tree(dir.file("PROJECTS/Line 4"));
  auto expected = before;
  expected.erase("notes.txt");
  expected.erase("ParGen.xml.tmpAb12Cd");
  EXPECT_EQ(copy, expected);
  EXPECT_EQ(tree(source), before);
  // Nothing else appeared beside them: the folder built aside is gone.
  std::vector<std::string> names;
  for (const auto& e : stdfs::directory_iterator(folders.Projects_Dir))
    names.push_back(test::utf8(e.path().filename()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Line 3", "Line 4"}));
}

TEST_F(Duplicate, AFreshConfigurationCopiesAsAnEmptyBinFolder) {
  stdfs::create_directories(dir.file("PROJECTS/Fresh/bin"));
  ASSERT_EQ(duplicate_configuration(dir.file("PROJECTS/Fresh/"), "Fresh 2"), std::nullopt);
  EXPECT_EQ(tree(dir.file("PROJECTS/Fresh 2")), (std::map<std::string, std::string>{{"bin/", ""}}));
}

struct RefusedCase {
  const char* name;
  std::string typed;
  int message;
};

class DuplicateRefused : public Duplicate, public testing::WithParamInterface<RefusedCase> {};

TEST_P(DuplicateRefused, ShowsTheNewConfigurationMessageAndMakesNothing) {
  test::write_file(dir.file("PROJECTS/plainfile"), "x");
  auto before = projects();
  logic.FormShow("Line 3");
  EXPECT_FALSE(logic.Btn_OKClick(GetParam().typed));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_EQ(messages.shown[0].text, catalogue.text(GetParam().message));
  EXPECT_EQ(projects(), before);
  EXPECT_FALSE(stdfs::exists(dir.file("x")));
}

INSTANTIATE_TEST_SUITE_P(Cases, DuplicateRefused,
                         testing::Values(RefusedCase{"empty", "", 107}, RefusedCase{"itself", "Line 3", 106},
                                         RefusedCase{"plain_file", "plainfile", 105},
                                         RefusedCase{"leads_out", "../x", 105},
                                         RefusedCase{"separator", "a/b", 105}, RefusedCase{"dot", ".", 105},
                                         // Refused by the file system itself, when the copy is renamed
                                         // into place.
                                         RefusedCase{"too_long", std::string(300, 'n'), 105}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Duplicate, AFileThatCantBeReadIsReportedAndNothingIsMade) {
  stdfs::remove(source + "/ParGen.xml");
  stdfs::create_directory(source + "/ParGen.xml");
  auto before = projects();
  logic.FormShow("Line 3");
  EXPECT_FALSE(logic.Btn_OKClick("Line 4"));
  EXPECT_NE(messages.last_text().find("ParGen.xml"), std::string::npos) << messages.last_text();
  EXPECT_EQ(projects(), before);
}

TEST_F(Duplicate, AWriteThatFailsHalfwayLeavesNothing) {
  auto before = projects();
  const ConfigurationFiles cases[] = {
      {{"ParGen.xml", "a"}, {"missing/DMX_Default_Values.xml", "b"}},
      {{"ParGen.xml", "a"}, {"bin/bank.bin", "b"}, {"ParGen.xml", "c"}},
  };
  for (const auto& files : cases) {
    EXPECT_THROW(place_configuration(folders.Projects_Dir, "Line 4", files), FileError);
    EXPECT_EQ(projects(), before);
  }
}

TEST_F(Duplicate, AFolderThatIsNoConfigurationIsRefused) {
  stdfs::create_directories(dir.file("PROJECTS/Photos/2026"));
  test::write_file(dir.file("PROJECTS/Photos/a.jpg"), "x");
  auto before = projects();
  logic.FormShow("Photos");
  EXPECT_FALSE(logic.Btn_OKClick("Line 4"));
  EXPECT_NE(messages.last_text().find("no configuration there"), std::string::npos) << messages.last_text();
  EXPECT_EQ(projects(), before);
}

TEST_F(Duplicate, TheCopyIsAnOrdinaryFolder) {
  ASSERT_EQ(duplicate_configuration(source, "Line 4"), std::nullopt);
  ::mode_t mask = ::umask(0);
  ::umask(mask);
  auto perms = stdfs::status(dir.file("PROJECTS/Line 4")).permissions();
  EXPECT_EQ(static_cast<unsigned>(perms), 0777u & ~mask);
}

TEST_F(Duplicate, ASourceFolderGoneIsReported) {
  logic.FormShow("Gone");
  EXPECT_FALSE(logic.Btn_OKClick("Line 4"));
  EXPECT_NE(messages.last_text().find("No such file or directory"), std::string::npos);
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/Line 4")));
}

// The open dialog chooses the copy itself, never a name differing in case.
TEST_F(Duplicate, OpenDialogChoosesTheCopy) {
  OpenConfLogic open(folders, conf);
  open.FormShow();
  logic.FormShow("Line 3");
#ifdef _WIN32
  // Windows' names ignore case: "LINE 3" is the folder being copied, so the
  // name is refused as one already there and nothing is made.
  EXPECT_FALSE(logic.Btn_OKClick("LINE 3"));
  EXPECT_NE(messages.last_text().find("already exists"), std::string::npos) << messages.last_text();
  open.FormShow();
  EXPECT_EQ(open.SL(), std::vector<std::string>{"Line 3"});
  return;
#endif
  ASSERT_TRUE(logic.Btn_OKClick("LINE 3"));
  int index = open.reload_choosing("LINE 3");
  ASSERT_GE(index, 0);
  EXPECT_EQ(open.SL()[static_cast<std::size_t>(index)], "LINE 3");
  EXPECT_EQ(open.Name_Conf, "LINE 3");
  EXPECT_EQ(open.SL().size(), 2u);
}

} // namespace
} // namespace lw
