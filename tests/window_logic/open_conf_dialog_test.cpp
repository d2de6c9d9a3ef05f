#include "program_folder.h"
#include "window_logic/open_conf_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

class OpenConf : public testing::Test, public test::ProgramFolder {};

TEST_F(OpenConf, ListsFoldersOnlyAndPreselectsIgnoringCase) {
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

TEST_F(OpenConf, PreselectsTheFirstEntryWhenNotListed) {
  stdfs::create_directories(dir.file("PROJECTS/Only"));
  conf = configuration_at("Elsewhere", dir.file("PROJECTS/Elsewhere"));
  OpenConfLogic logic(folders, conf);
  EXPECT_EQ(logic.FormShow(), 0);
  EXPECT_EQ(logic.Name_Conf, "Only");
}

// Every configuration folder deleted while the program runs: OK must not
// open the name chosen at an earlier showing.
TEST_F(OpenConf, EmptyListLeavesNothingToOpen) {
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
