#include "dmx_rows.h"
#include "fakes.h"
#include "formats/errors.h"
#include "params/dmx_defaults.h"
#include "platform/files.h"
#include "program_folder.h"
#include "window_logic/dmx_editor.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

using test::rows_file;

class DmxEditor : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override { open_configuration("A"); }
  test::FakeFilePicker files;
  DmxEditorLogic logic{conf, catalogue, messages, files};
};

TEST_F(DmxEditor, OkWritesExactlyTheChannelCount) {
  test::write_file(conf.File_ParGen, "<Par_Gen><DMX_Num_Channels>100</DMX_Num_Channels></Par_Gen>");
  test::write_file(conf.File_DMX_Default, rows_file(512));
  auto rows = logic.FormShow();
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->size(), 100u);
  ASSERT_TRUE(logic.Btn_OKClick(*rows));
  auto saved = Load_DMX_Defaults(conf.File_DMX_Default, 1000);
  ASSERT_EQ(saved.size(), 1000u);
  EXPECT_EQ(saved[100], (DMX_Def_Row{"0", ""}));
  EXPECT_EQ(saved[99], (DMX_Def_Row{"100", "ch100"}));
}

TEST_F(DmxEditor, BadValueShowsTheRowMessageAndWritesNothing) {
  DMX_Def_Table rows(512);
  rows[16].Default_Value = "x";
  EXPECT_FALSE(logic.Btn_OKClick(rows));
  EXPECT_EQ(messages.last_text(), "Error row 17!! Default Value must be between 0 and 255");
  EXPECT_FALSE(std::filesystem::exists(conf.File_DMX_Default));
}

// Defaults in place of what could not be read would be saved over it by OK.
TEST_F(DmxEditor, BrokenFilesAreReportedAndNoRowsOffered) {
  test::write_file(conf.File_ParGen, "<Par_Gen><DMX_Num_Channels>100</DMX_Num_Channels>");
  EXPECT_FALSE(logic.FormShow());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("ParGen.xml"), std::string::npos);
  test::write_file(conf.File_ParGen, "<Par_Gen><DMX_Num_Channels>100</DMX_Num_Channels></Par_Gen>");
  test::write_file(conf.File_DMX_Default, "<broken>");
  EXPECT_FALSE(logic.FormShow());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_NE(messages.shown[1].text.find("DMX_Default_Values.xml"), std::string::npos);
  EXPECT_EQ(test::read_file(conf.File_DMX_Default), "<broken>");
}

// The cap is for what comes in: a longer mnemonic a file already holds
// stays through an OK, and one typed in its place is refused.
TEST_F(DmxEditor, AMnemonicPastTheCapIsKeptUntilEdited) {
  const std::string older(40, 'o');
  Save_DMX_Defaults(conf.File_DMX_Default, {{"1", older}, {"2", "b"}});
  auto rows = logic.FormShow();
  ASSERT_TRUE(rows);
  (*rows)[1].Default_Value = "3";
  ASSERT_TRUE(logic.Btn_OKClick(*rows));
  EXPECT_EQ(Load_DMX_Defaults(conf.File_DMX_Default, 2)[0].Mnemonic, older);
  (*rows)[0].Mnemonic = std::string(40, 'n');
  EXPECT_FALSE(logic.Btn_OKClick(*rows));
  EXPECT_EQ(messages.last_text(), "Error row 1!! The mnemonic is longer than 32 characters");
  EXPECT_EQ(Load_DMX_Defaults(conf.File_DMX_Default, 2)[0].Mnemonic, older);
}

TEST_F(DmxEditor, UnwritableFileIsReportedAndKeepsTheEditorOpen) {
  conf.File_DMX_Default = dir.file("missing/DMX_Default_Values.xml");
  EXPECT_FALSE(logic.Btn_OKClick(DMX_Def_Table(24)));
  EXPECT_NE(messages.last_text().find("No such file or directory"), std::string::npos);
}

// The editor's sheets work on the rows it shows; the configuration's file
// is left to OK.
TEST_F(DmxEditor, SheetsGoThroughTheShownRowsAndLeaveTheFileToOk) {
  DMX_Def_Table rows(4);
  rows[1] = {"128", "spot; left"};
  std::string sheet = dir.file("sheets/site.csv");
  std::filesystem::create_directories(dir.file("sheets"));
  ASSERT_TRUE(logic.export_csv_to(sheet, rows));
  EXPECT_EQ(test::read_file(sheet), "Channel,Value,Mnemonic,Register (0-based)\r\n1,0,,\r\n"
                                    "2,128,spot; left,\r\n3,0,,\r\n4,0,,\r\n");
  EXPECT_EQ(logic.csv_suggestion(), dir.file("sheets/A.csv"));

  test::write_file(sheet, "Channel;Value\n3;50%\n");
  auto imported = logic.import_csv_from(sheet, rows);
  ASSERT_TRUE(imported);
  EXPECT_EQ((*imported)[2].Default_Value, "128");
  EXPECT_EQ((*imported)[1], rows[1]);
  EXPECT_FALSE(std::filesystem::exists(conf.File_DMX_Default));

  test::write_file(sheet, "Channel,Value\n2,7\n9,1\n");
  EXPECT_FALSE(logic.import_csv_from(sheet, rows));
  EXPECT_EQ(messages.last_text(), sheet + ": row 3: Channel 9 is beyond the configuration's 4 channels");
  EXPECT_FALSE(logic.import_csv_from(dir.file("sheets/missing.csv"), rows));
  EXPECT_NE(messages.last_text().find("No such file or directory"), std::string::npos);
}

TEST_F(DmxEditor, TheFileDialogsStartBesideTheLastSheet) {
  DMX_Def_Table rows(3);
  EXPECT_FALSE(logic.import_csv(rows)); // cancelled
  EXPECT_FALSE(logic.export_csv(rows));
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(files.asked.size(), 2u);
  EXPECT_EQ(files.asked[0].title, "Import CSV...");
  EXPECT_EQ(files.asked[0].start, conf.Conf_Dir);
  EXPECT_EQ(files.asked[0].filter, "CSV files (*.csv);;All files (*)");
  EXPECT_EQ(files.asked[1].filter, "CSV files (*.csv)");
  std::filesystem::create_directories(dir.file("site"));
  files.answer = dir.file("site/out.csv");
  EXPECT_TRUE(logic.export_csv(rows));
  rows[0].Default_Value = "9";
  auto back = logic.import_csv(rows);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, DMX_Def_Table(3));
  EXPECT_EQ(files.asked.back().start, dir.file("site"));
}

TEST_F(DmxEditor, ExportNamesRegistersWhenEachChannelHasOne) {
  test::write_file(conf.File_ParGen, "<P><MODBUS_SLAVE_DMX_MAP>1</MODBUS_SLAVE_DMX_MAP></P>");
  EXPECT_EQ(logic.csv_suggestion(), fs::join(conf.Conf_Dir, "A.csv"));
  std::string sheet = dir.file("out.csv");
  ASSERT_TRUE(logic.export_csv_to(sheet, DMX_Def_Table(2)));
  EXPECT_EQ(test::read_file(sheet), "Channel,Value,Mnemonic,Register (0-based)\r\n1,0,,0\r\n2,0,,1\r\n");
  EXPECT_FALSE(logic.export_csv_to(dir.file("no/such/folder/out.csv"), DMX_Def_Table(2)));
  EXPECT_FALSE(messages.shown.empty());
  const std::string par_gen = test::read_file(conf.File_ParGen);
  EXPECT_FALSE(logic.export_csv_to(conf.File_ParGen, DMX_Def_Table(2)));
  EXPECT_EQ(messages.last_text(),
            "Cannot write " + conf.File_ParGen + ": ParGen.xml is a file the configurator keeps for itself");
  EXPECT_EQ(test::read_file(conf.File_ParGen), par_gen);
}

TEST_F(DmxEditor, LeavingWithChangesAsksFirst) {
  EXPECT_TRUE(logic.may_discard(false));
  EXPECT_TRUE(messages.shown.empty());
  messages.answer_yes = false;
  EXPECT_FALSE(logic.may_discard(true));
  messages.answer_yes = true;
  EXPECT_TRUE(logic.may_discard(true));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].kind, "confirm");
  EXPECT_EQ(messages.shown[0].text, "Discard the changes made to the channel table?");
}

TEST_F(DmxEditor, FillAndRampRefusalsAreReported) {
  EXPECT_EQ(logic.fill_level("50%"), 128);
  EXPECT_EQ(logic.fill_level("300"), std::nullopt);
  EXPECT_EQ(messages.last_text(),
            "A level is an integer from 0 to 255 or a percentage from 0% to 100%, not: 300");
  DMX_Def_Table rows(3);
  rows[2].Default_Value = "x";
  EXPECT_FALSE(logic.ramp(rows, {0, 1, 2, 1}));
  EXPECT_EQ(messages.last_text(), "A ramp needs a value from 0 to 255 at both ends; see channel 3");
  EXPECT_FALSE(logic.ramp(rows, {1, 1, 1, 1}));
  EXPECT_EQ(messages.last_text(), "Select at least two channels for a ramp");
  rows[2].Default_Value = "100";
  EXPECT_TRUE(logic.ramp(rows, {0, 1, 2, 1}));
  EXPECT_EQ(rows[1].Default_Value, "50");
}

} // namespace
} // namespace lw
