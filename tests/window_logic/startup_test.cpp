#include "fakes.h"
#include "options/settings_file.h"
#include "program_folder.h"
#include "window_logic/startup.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

// The start-up itself is under test: the folder is left as it was made.
class Startup : public testing::Test, public test::ProgramFolder {
protected:
  Startup() : ProgramFolder(Start::later) {}
};

TEST_F(Startup, FirstStartInAnEmptyFolder) {
  Started s = Run_Startup(folders, timer);
  EXPECT_TRUE(stdfs::is_directory(dir.file("MASTER")));
  EXPECT_TRUE(stdfs::is_directory(dir.file("PROJECTS")));
  EXPECT_TRUE(stdfs::is_directory(dir.file("LANGUAGE")));
  EXPECT_EQ(folders.App_Dir, dir.path());
  EXPECT_EQ(folders.Projects_Dir, dir.file("PROJECTS"));
  EXPECT_FALSE(s.conf.configuration_open());
  EXPECT_EQ(s.settings.Last_IP_Address, "192.168.2.205");
  EXPECT_EQ(s.settings.Language_Name, "English");
  EXPECT_EQ(s.catalogue.Language_Version, "NO VER.");
  EXPECT_FALSE(s.settings.Enable_Internet || s.settings.Enable_Update || s.settings.Enable_Jump_Fields ||
               s.settings.Auto_Size_Columns);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(s.catalogue.Text_Table.Count(), 1500);
}

TEST_F(Startup, RestoresAnExistingConfiguration) {
  stdfs::create_directories(dir.file("PROJECTS/Plant/bin"));
  test::write_file(dir.file("Loomwork.xml"),
                   "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
  const OpenConfiguration conf = Run_Startup(folders, timer).conf;
  EXPECT_EQ(conf.Conf_Dir, dir.file("PROJECTS/Plant"));
  EXPECT_EQ(conf.File_ParGen, dir.file("PROJECTS/Plant/ParGen.xml"));
  EXPECT_EQ(conf.File_DMX_Default, dir.file("PROJECTS/Plant/DMX_Default_Values.xml"));
  EXPECT_EQ(conf.File_ModbusTCPM_SetAccess, dir.file("PROJECTS/Plant/ModbusTCPM_SetAccess.xml"));
  EXPECT_EQ(conf.File_ModbusM_SetAccess, dir.file("PROJECTS/Plant/ModbusM_SetAccess.xml"));
}

TEST_F(Startup, DeletedConfigurationStaysRememberedButClosed) {
  test::write_file(dir.file("Loomwork.xml"),
                   "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj></Conf_Settings>");
  Started s = Run_Startup(folders, timer);
  EXPECT_FALSE(s.conf.configuration_open());
  EXPECT_EQ(s.conf.Conf_Name, "Gone");
  EXPECT_NE(settings_xml(s.settings).find("<projectname>Gone</projectname>"), std::string::npos);
}

TEST_F(Startup, NameLeadingOutOfProjectsIsNotOpened) {
  stdfs::create_directories(dir.file("outside"));
  stdfs::create_directories(dir.file("PROJECTS"));
  test::write_file(
      dir.file("Loomwork.xml"),
      "<Conf_Settings><lastproj><projectname>../outside</projectname></lastproj></Conf_Settings>");
  const OpenConfiguration conf = Run_Startup(folders, timer).conf;
  EXPECT_FALSE(conf.configuration_open());
  EXPECT_EQ(conf.Conf_Name, "../outside");
}

TEST_F(Startup, TimerRunsOnlyWithBothInternetOptions) {
  test::write_file(dir.file("Loomwork.xml"),
                   "<C><lastinternet><enable_update>1</enable_update></lastinternet></C>");
  Run_Startup(folders, timer);
  EXPECT_FALSE(timer.running);

  test::write_file(dir.file("Loomwork.xml"), "<C><lastinternet><enable_internet>1</enable_internet>"
                                             "<enable_update>1</enable_update></lastinternet></C>");
  Run_Startup(folders, timer);
  EXPECT_TRUE(timer.running);
}

TEST_F(Startup, MissingLanguageFallsBackAndIsWrittenBack) {
  test::write_file(dir.file("Loomwork.xml"), "<C><lastlang><language>Deutsch</language></lastlang></C>");
  EXPECT_EQ(Run_Startup(folders, timer).settings.Language_Name, "English");
}

TEST_F(Startup, StartingTwiceWritesTheSameFile) {
  Started once = Run_Startup(folders, timer);
  Save_Setting(once.settings_file, once.settings);
  std::string first = test::read_file(dir.file("Loomwork.xml"));
  Started again = Run_Startup(folders, timer);
  Save_Setting(again.settings_file, again.settings);
  EXPECT_EQ(test::read_file(dir.file("Loomwork.xml")), first);
}

TEST(TimerRule, LeavesARunningTimerAlone) {
  Settings s;
  s.Enable_Internet = s.Enable_Update = true;
  test::FakeTimer timer;
  apply_timer_rule(s, timer);
  apply_timer_rule(s, timer);
  EXPECT_EQ(timer.starts, 1);
  s.Enable_Update = false;
  apply_timer_rule(s, timer);
  EXPECT_FALSE(timer.running);
}

} // namespace
} // namespace lw
