#include "cli_run.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "program_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

using test::CliRun;
using test::run_cli;

class CliDmx : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("Line 3");
    Par_Gen_Set set;
    set.DMX_Num_Channels = "4";
    Save_Par_Gen(conf + "/ParGen.xml", set);
  }
  void map_channels_to_registers() {
    Par_Gen_Set set = Load_Par_Gen(conf + "/ParGen.xml");
    set.MODBUS_SLAVE_DMX_MAP = true;
    Save_Par_Gen(conf + "/ParGen.xml", set);
  }
  std::string conf = dir.file("PROJECTS/Line 3");
  std::string table = conf + "/DMX_Default_Values.xml";
  std::string sheet = dir.file("patch.csv");
};

TEST_F(CliDmx, ExportWritesOneRowPerChannelToStandardOutputOrAFile) {
  Save_DMX_Defaults(table, {{"10", "Dimmer"}, {"0", "Pan, fine"}});
  CliRun r = run_cli(dir.path(), {"dmx", "export", conf});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Channel,Value,Mnemonic,Register (0-based)\r\n"
                   "1,10,Dimmer,\r\n2,0,\"Pan, fine\",\r\n3,0,,\r\n4,0,,\r\n");
  map_channels_to_registers();
  r = run_cli(dir.path(), {"dmx", "export", conf, "-o", sheet});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, sheet + "\n");
  EXPECT_EQ(test::read_file(sheet), "Channel,Value,Mnemonic,Register (0-based)\r\n"
                                    "1,10,Dimmer,0\r\n2,0,\"Pan, fine\",1\r\n3,0,,2\r\n4,0,,3\r\n");
}

TEST_F(CliDmx, ExportFailures) {
  EXPECT_EQ(run_cli(dir.path(), {"dmx", "export", dir.file("none")}).status, 2);
  test::write_file(table, "<DMX_Default_Values>");
  CliRun r = run_cli(dir.path(), {"dmx", "export", conf});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("DMX_Default_Values.xml"), std::string::npos) << r.err;
  stdfs::remove(table);
  r = run_cli(dir.path(), {"dmx", "export", conf, "-o", conf + "/bin"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

// A slip of -o never turns a configuration's own file into a sheet, wherever
// the path points.
TEST_F(CliDmx, ExportNeverWritesOverTheConfiguratorsOwnFiles) {
  Save_DMX_Defaults(table, {{"10", "Dimmer"}});
  const std::string before = test::read_file(table);
  const std::string par_gen = test::read_file(conf + "/ParGen.xml");
  for (std::string target : {table, conf + "/./ParGen.xml", dir.file("elsewhere/bank.bin"),
                             dir.file("Loomwork.xml"), conf + "/update-log.csv", conf + "/bin/sent/any.csv",
                             dir.file("loomwork-cli"), dir.file("loomwork.exe"),
                             // in another case, as Windows takes them
                             conf + "/PARGEN.XML", conf + "/bin/Bank.BIN", conf + "/BIN/SENT/any.csv"}) {
    CliRun r = run_cli(dir.path(), {"dmx", "export", conf, "-o", target});
    EXPECT_EQ(r.status, 1) << target;
    EXPECT_TRUE(r.err.starts_with("Cannot write " + target + ": ")) << r.err;
    EXPECT_TRUE(r.err.find("is a file the configurator keeps for itself") != std::string::npos ||
                r.err.find("keeps the images sent to the device as they were") != std::string::npos)
        << r.err;
  }
  EXPECT_EQ(test::read_file(table), before);
  EXPECT_EQ(test::read_file(conf + "/ParGen.xml"), par_gen);
  EXPECT_FALSE(stdfs::exists(dir.file("elsewhere/bank.bin")));
}

TEST_F(CliDmx, ImportWritesTheTableAndSaysHowManyChannelsChanged) {
  Save_DMX_Defaults(table, {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
  test::write_file(sheet, "\xEF\xBB\xBF"
                          "Value;Channel\r\n50%;4\r\n2;2\r\n0;1\r\n");
  CliRun r = run_cli(dir.path(), {"dmx", "import", conf, sheet});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2 channels changed\n");
  EXPECT_EQ(Load_DMX_Defaults(table, 4), (DMX_Def_Table{{"0", "a"}, {"2", "b"}, {"3", "c"}, {"128", "d"}}));
  test::write_file(sheet, "Channel,Value,Mnemonic\n3,3,C\n");
  r = run_cli(dir.path(), {"dmx", "import", conf, sheet});
  EXPECT_EQ(r.out, "1 channel changed\n");
}

TEST_F(CliDmx, ABadSheetChangesNothing) {
  Save_DMX_Defaults(table, {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
  std::string before = test::read_file(table);
  for (const auto& [text, why] : std::vector<std::pair<std::string, std::string>>{
           {"Channel,Value\n1,9\n2,300\n", "row 3: Value 300 must be between 0 and 255"},
           {"Channel,Value\n1,9\n5,1\n", "row 3: Channel 5 is beyond the configuration's 4 channels"},
           {"Channel,Value\n1,9\n1,8\n", "row 3: Channel 1 is given twice (first in row 2)"},
           {"", "the sheet is empty"}}) {
    test::write_file(sheet, text);
    CliRun r = run_cli(dir.path(), {"dmx", "import", conf, sheet});
    EXPECT_EQ(r.status, 2) << text;
    EXPECT_EQ(r.err, sheet + ": " + why + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::read_file(table), before);
  }
  EXPECT_EQ(run_cli(dir.path(), {"dmx", "import", conf, dir.file("missing.csv")}).status, 2);
  EXPECT_EQ(run_cli(dir.path(), {"dmx", "import", dir.file("none"), sheet}).status, 2);
}

TEST_F(CliDmx, ASheetThatChangesNothingLeavesNoFileBehind) {
  test::write_file(sheet, "Channel,Value\n");
  CliRun r = run_cli(dir.path(), {"dmx", "import", conf, sheet});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0 channels changed\n");
  EXPECT_FALSE(stdfs::exists(table));
}

TEST_F(CliDmx, ImportThatCantBeWrittenIsStatusOne) {
  Save_DMX_Defaults(table, DMX_Def_Table(4));
  stdfs::permissions(table, stdfs::perms::owner_write, stdfs::perm_options::remove);
  test::write_file(sheet, "Channel,Value\n1,9\n");
  CliRun r = run_cli(dir.path(), {"dmx", "import", conf, sheet});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Load_DMX_Defaults(table, 4), DMX_Def_Table(4));
}

TEST_F(CliDmx, ExportedAndImportedElsewhereGivesTheSameFile) {
  map_channels_to_registers();
  Save_DMX_Defaults(table, {{"255", "Spot \"A\"; left"}, {"0", ""}, {"17", "Grün"}, {"128", " x "}});
  ASSERT_EQ(run_cli(dir.path(), {"dmx", "export", conf, "-o", sheet}).status, 0);
  open_configuration("Line 4");
  std::string other = dir.file("PROJECTS/Line 4");
  stdfs::copy_file(conf + "/ParGen.xml", other + "/ParGen.xml");
  CliRun r = run_cli(dir.path(), {"dmx", "import", other, sheet});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "3 channels changed\n");
  EXPECT_EQ(test::read_file(other + "/DMX_Default_Values.xml"), test::read_file(table));
  EXPECT_EQ(run_cli(dir.path(), {"dmx", "import", conf, sheet}).out, "0 channels changed\n");
}

} // namespace
} // namespace lw
