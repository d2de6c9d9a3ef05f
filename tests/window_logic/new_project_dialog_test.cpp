#include "program_folder.h"
#include "window_logic/new_project_dialog.h"
#include "window_logic/open_conf_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

class Projects : public testing::Test, public test::ProgramFolder {};

TEST_F(Projects, CreatingLine3OpensItWithAnEmptyBinFolder) {
  NewProjectLogic logic(folders, conf, catalogue, messages);
  ASSERT_TRUE(logic.Btn_OKClick("Line 3"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(stdfs::is_directory(dir.file("PROJECTS/Line 3/bin")));
  EXPECT_TRUE(stdfs::is_empty(dir.file("PROJECTS/Line 3/bin")));
  EXPECT_EQ(conf.Conf_Name, "Line 3");
  EXPECT_EQ(conf.Conf_Dir, dir.file("PROJECTS/Line 3"));
  EXPECT_EQ(conf.File_ParGen, dir.file("PROJECTS/Line 3/ParGen.xml"));
}

struct NameCase {
  const char* name;
  std::string typed;
  int message;
};

class RefusedName : public Projects, public testing::WithParamInterface<NameCase> {};

TEST_P(RefusedName, ShowsItsMessageAndChangesNothing) {
  stdfs::create_directories(dir.file("PROJECTS/Existing"));
  test::write_file(dir.file("PROJECTS/plainfile"), "x");
  stdfs::create_directories(dir.file("PROJECTS/a"));
  conf = configuration_at("Open", dir.file("PROJECTS/Open"));
  NewProjectLogic logic(folders, conf, catalogue, messages);
  EXPECT_FALSE(logic.Btn_OKClick(GetParam().typed));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_EQ(messages.shown[0].text, catalogue.text(GetParam().message));
  EXPECT_EQ(conf.Conf_Name, "Open");
  EXPECT_FALSE(stdfs::exists(dir.file("x")));
  EXPECT_FALSE(stdfs::exists(dir.file("b")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedName,
    testing::Values(NameCase{"empty", "", 107}, NameCase{"existing_folder", "Existing", 106},
                    NameCase{"plain_file", "plainfile", 105}, NameCase{"leads_out", "../x", 105},
                    NameCase{"leads_out_deeper", "a/../../b", 105}, NameCase{"backslash", "a\\b", 105},
                    NameCase{"dot", ".", 105}, NameCase{"dot_dot", "..", 105},
                    NameCase{"through_missing_folder", "missing/inner", 105},
                    // Names Windows can't hold, refused on every system.
                    NameCase{"device", "CON", 105}, NameCase{"device_with_extension", "nul.txt", 105},
                    NameCase{"numbered_device", "Com1", 105}, NameCase{"device_then_space", "LPT9 .old", 105},
                    NameCase{"colon", "Hall:3", 105}, NameCase{"question_mark", "why?", 105},
                    NameCase{"star", "all*", 105}, NameCase{"angle", "<a>", 105}, NameCase{"bar", "a|b", 105},
                    NameCase{"quote", "a\"b", 105}, NameCase{"trailing_dot", "Hall.", 105},
                    NameCase{"trailing_space", "Hall ", 105}, NameCase{"control", "Hall\x01", 105},
                    NameCase{"delete_character", "Hall\x7F", 105},
                    NameCase{"longer_than_file_systems_hold", std::string(256, 'n'), 105}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Projects, NamesAreKeptExactlyAsTyped) {
  NewProjectLogic logic(folders, conf, catalogue, messages);
  ASSERT_TRUE(logic.Btn_OKClick(" padded"));
  EXPECT_TRUE(stdfs::is_directory(dir.file("PROJECTS/ padded")));
  EXPECT_EQ(conf.Conf_Name, " padded");
  // Near the names Windows reserves, but not one of them.
  for (const char* name : {"COM10", "Console", "AUXILIARY", "Hall 3.v2", "Señal"}) {
    ASSERT_TRUE(logic.Btn_OKClick(name)) << name;
    EXPECT_TRUE(stdfs::is_directory(test::fs_path(dir.file(std::string("PROJECTS/") + name)))) << name;
  }
}

TEST_F(Projects, OpenListsFoldersOnlyAndPreselectsIgnoringCase) {
  stdfs::create_directories(dir.file("PROJECTS/PLANT"));
  stdfs::create_directories(dir.file("PROJECTS/Other"));
  test::write_file(dir.file("PROJECTS/file.xml"), "x");
  conf = configuration_at("Plant", dir.file("PROJECTS/Plant"));
  OpenConfLogic logic(folders, conf);
  int index = logic.FormShow();
  ASSERT_EQ(logic.SL().size(), 2u);
  ASSERT_GE(index, 0);
  ASSERT_LT(static_cast<std::size_t>(index), logic.SL().size());
  EXPECT_EQ(logic.SL()[static_cast<std::size_t>(index)], "PLANT");
  EXPECT_EQ(logic.Name_Conf, "PLANT");
}

TEST_F(Projects, OpenPreselectsTheFirstEntryWhenNotListed) {
  stdfs::create_directories(dir.file("PROJECTS/Only"));
  conf = configuration_at("Elsewhere", dir.file("PROJECTS/Elsewhere"));
  OpenConfLogic logic(folders, conf);
  EXPECT_EQ(logic.FormShow(), 0);
  EXPECT_EQ(logic.Name_Conf, "Only");
}

// Every configuration folder deleted while the program runs: OK must not
// open the name chosen at an earlier showing.
TEST_F(Projects, EmptyListLeavesNothingToOpen) {
  OpenConfLogic logic(folders, conf);
  EXPECT_EQ(logic.FormShow(), -1);
  EXPECT_EQ(logic.Name_Conf, "");
  stdfs::create_directories(dir.file("PROJECTS/One"));
  logic.FormShow();
  EXPECT_EQ(logic.Name_Conf, "One");
  stdfs::remove(dir.file("PROJECTS/One"));
  EXPECT_EQ(logic.FormShow(), -1);
  EXPECT_EQ(logic.Name_Conf, "");
}

} // namespace
} // namespace lw
