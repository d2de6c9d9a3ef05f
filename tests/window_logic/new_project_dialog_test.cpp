#include "program_folder.h"
#include "window_logic/new_project_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

class NewProject : public testing::Test, public test::ProgramFolder {};

TEST_F(NewProject, CreatingLine3OpensItWithAnEmptyBinFolder) {
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

class RefusedName : public NewProject, public testing::WithParamInterface<NameCase> {};

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

TEST_F(NewProject, NamesAreKeptExactlyAsTyped) {
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

} // namespace
} // namespace lw
