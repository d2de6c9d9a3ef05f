#include "core/app_state.h"
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
  Run_Startup(state, dir.path(), timer);
  EXPECT_TRUE(stdfs::is_directory(dir.file("MASTER")));
  EXPECT_TRUE(stdfs::is_directory(dir.file("PROJECTS")));
  EXPECT_TRUE(stdfs::is_directory(dir.file("LANGUAGE")));
  EXPECT_EQ(state.App_Dir, dir.path());
  EXPECT_EQ(state.Projects_Dir, dir.file("PROJECTS"));
  EXPECT_FALSE(state.configuration_open());
  EXPECT_EQ(state.Last_IP_Address, "192.168.2.205");
  EXPECT_EQ(state.Language_Name, "English");
  EXPECT_EQ(state.Language_Version, "NO VER.");
  EXPECT_FALSE(state.Enable_Internet || state.Enable_Update || state.Enable_Jump_Fields ||
               state.Auto_Size_Columns);
  EXPECT_TRUE(state.Update_Read_Back);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(state.Main_Title, "QuorvexSite - Configurator SW40873 - DMX / Modbus Slave ");
  EXPECT_EQ(state.SW_Code, "SW40873");
  EXPECT_EQ(state.Text_Table.Count(), 1500);
}

TEST_F(Startup, RestoresAnExistingConfiguration) {
  stdfs::create_directories(dir.file("PROJECTS/Plant/bin"));
  test::write_file(dir.file("Loomwork.xml"),
                   "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
  Run_Startup(state, dir.path(), timer);
  EXPECT_EQ(state.Conf_Dir, dir.file("PROJECTS/Plant"));
  EXPECT_EQ(state.File_ParGen, dir.file("PROJECTS/Plant/ParGen.xml"));
  EXPECT_EQ(state.File_DMX_Default, dir.file("PROJECTS/Plant/DMX_Default_Values.xml"));
  EXPECT_EQ(state.File_ModbusTCPM_SetAccess, dir.file("PROJECTS/Plant/ModbusTCPM_SetAccess.xml"));
  EXPECT_EQ(state.File_ModbusM_SetAccess, dir.file("PROJECTS/Plant/ModbusM_SetAccess.xml"));
}

TEST_F(Startup, DeletedConfigurationStaysRememberedButClosed) {
  test::write_file(dir.file("Loomwork.xml"),
                   "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj></Conf_Settings>");
  Run_Startup(state, dir.path(), timer);
  EXPECT_FALSE(state.configuration_open());
  EXPECT_EQ(state.Conf_Name, "Gone");
  EXPECT_NE(settings_xml(state).find("<projectname>Gone</projectname>"), std::string::npos);
}

TEST_F(Startup, NameLeadingOutOfProjectsIsNotOpened) {
  stdfs::create_directories(dir.file("outside"));
  stdfs::create_directories(dir.file("PROJECTS"));
  test::write_file(
      dir.file("Loomwork.xml"),
      "<Conf_Settings><lastproj><projectname>../outside</projectname></lastproj></Conf_Settings>");
  Run_Startup(state, dir.path(), timer);
  EXPECT_FALSE(state.configuration_open());
  EXPECT_EQ(state.Conf_Name, "../outside");
}

TEST_F(Startup, TimerRunsOnlyWithBothInternetOptions) {
  test::write_file(dir.file("Loomwork.xml"),
                   "<C><lastinternet><enable_update>1</enable_update></lastinternet></C>");
  Run_Startup(state, dir.path(), timer);
  EXPECT_FALSE(timer.running);

  test::write_file(dir.file("Loomwork.xml"), "<C><lastinternet><enable_internet>1</enable_internet>"
                                             "<enable_update>1</enable_update></lastinternet></C>");
  Run_Startup(state, dir.path(), timer);
  EXPECT_TRUE(timer.running);
}

TEST_F(Startup, MissingLanguageFallsBackAndIsWrittenBack) {
  test::write_file(dir.file("Loomwork.xml"), "<C><lastlang><language>Deutsch</language></lastlang></C>");
  Run_Startup(state, dir.path(), timer);
  EXPECT_EQ(state.Language_Name, "English");
}

TEST_F(Startup, StartingTwiceWritesTheSameFile) {
  Run_Startup(state, dir.path(), timer);
  Save_Setting(state);
  std::string first = test::read_file(dir.file("Loomwork.xml"));
  AppState again;
  Run_Startup(again, dir.path(), timer);
  Save_Setting(again);
  EXPECT_EQ(test::read_file(dir.file("Loomwork.xml")), first);
}

TEST(TimerRule, LeavesARunningTimerAlone) {
  AppState s;
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
