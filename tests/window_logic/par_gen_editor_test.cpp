#include "program_folder.h"
#include "window_logic/par_gen_editor.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

class ParGenEditor : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override { open_configuration("A"); }
  ParGenEditorLogic logic{folders, conf, catalogue, messages};
};

TEST_F(ParGenEditor, OkSavesAValidSet) {
  Par_Gen_Set s = logic.FormShow().value();
  s.Ethernet_GAT1 = "abc"; // not tested while the gateway is off
  ASSERT_TRUE(logic.Btn_OKClick(s));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Load_Par_Gen(conf.File_ParGen).Ethernet_GAT1, "abc");
}

TEST_F(ParGenEditor, FailingTestShowsItsMessageAndWritesNothing) {
  Par_Gen_Set s;
  s.Ethernet_IP3 = "256";
  EXPECT_FALSE(logic.Btn_OKClick(s));
  EXPECT_EQ(messages.last_text(), "Error Ethernet!! IP Address 3 must be between 0 and 255");
  EXPECT_FALSE(std::filesystem::exists(conf.File_ParGen));
}

TEST_F(ParGenEditor, BrokenFileIsReportedAndNoSetOffered) {
  test::write_file(conf.File_ParGen, "<Par_Gen><DMX_DMX>0</Par_Gen>");
  EXPECT_EQ(logic.FormShow(), std::nullopt);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_NE(messages.shown[0].text.find("line 1"), std::string::npos) << messages.shown[0].text;
}

TEST_F(ParGenEditor, UnwritableFileIsReported) {
  conf.File_ParGen = dir.file("gone/ParGen.xml");
  EXPECT_FALSE(logic.Btn_OKClick(Par_Gen_Set()));
  EXPECT_NE(messages.last_text().find("No such file or directory"), std::string::npos);
}

// Another configuration of PROJECTS holding an address already.
void store_address(test::ProgramFolder& f, const std::string& name, const std::string& ip4) {
  std::filesystem::create_directories(f.dir.file("PROJECTS/" + name));
  Par_Gen_Set other;
  other.Ethernet_IP4 = ip4;
  Save_Par_Gen(f.dir.file("PROJECTS/" + name + "/ParGen.xml"), other);
}

TEST_F(ParGenEditor, NewNotesAreShownFirstAndOkAgainSaves) {
  store_address(*this, "B", "5");
  store_address(*this, "C", "6");
  Par_Gen_Set s = logic.FormShow().value();
  s.Ethernet_IP4 = "5";
  s.Ethernet_EN_GAT = true;
  s.Ethernet_GAT3 = "9";
  EXPECT_FALSE(logic.Btn_OKClick(s));
  EXPECT_TRUE(messages.shown.empty()); // notes, not a message box
  EXPECT_FALSE(std::filesystem::exists(conf.File_ParGen));
  EXPECT_EQ(logic.notes_text(), "Addressing notes; OK again saves the settings as they are:\n"
                                "A: gateway 192.168.9.1 is outside subnet 192.168.0.0/255.255.255.0\n"
                                "A, B: the same IP address 192.168.0.5");
  // Moving to C's address brings a note not shown yet: shown, not saved.
  s.Ethernet_IP4 = "6";
  EXPECT_FALSE(logic.Btn_OKClick(s));
  EXPECT_FALSE(std::filesystem::exists(conf.File_ParGen));
  EXPECT_NE(logic.notes_text().find("A, C: the same IP address 192.168.0.6"), std::string::npos);
  // OK again: the same notes, so the set is saved as it is.
  EXPECT_TRUE(logic.Btn_OKClick(s));
  EXPECT_EQ(Load_Par_Gen(conf.File_ParGen), s);
  // A fresh showing starts without notes.
  logic.FormShow();
  EXPECT_EQ(logic.notes_text(), "");
}

TEST_F(ParGenEditor, FewerNotesThanShownSaveAtOnce) {
  store_address(*this, "B", "5");
  Par_Gen_Set s = logic.FormShow().value();
  s.Ethernet_EN_GAT = true;
  s.Ethernet_GAT3 = "9";
  EXPECT_FALSE(logic.Btn_OKClick(s));
  s.Ethernet_GAT3 = "0";
  EXPECT_TRUE(logic.Btn_OKClick(s));
  EXPECT_EQ(logic.notes_text(), "Addressing notes; OK again saves the settings as they are:\n"
                                "A, B: the same IP address 192.168.0.5");
}

// Neither a configuration without ParGen.xml nor one whose file is broken
// tells an address; the same Modbus ID is no clash.
TEST_F(ParGenEditor, WithoutNotesOkSavesAtOnce) {
  std::filesystem::create_directories(dir.file("PROJECTS/Fresh"));
  std::filesystem::create_directories(dir.file("PROJECTS/Broken"));
  test::write_file(dir.file("PROJECTS/Broken/ParGen.xml"), "<Par_Gen><Ethernet_IP4>5");
  store_address(*this, "Same ID", "6");
  EXPECT_TRUE(logic.Btn_OKClick(logic.FormShow().value()));
  EXPECT_EQ(logic.notes_text(), "");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ParGenEditor, AFailingTestComesBeforeTheNotes) {
  store_address(*this, "B", "5");
  Par_Gen_Set s;
  s.DMX_Num_Channels = "20";
  EXPECT_FALSE(logic.Btn_OKClick(s));
  EXPECT_EQ(messages.last_text(), "Error DMX!! Channel Number must be between 24 and 512");
  EXPECT_EQ(logic.notes_text(), "");
}

TEST_F(ParGenEditor, GroupCaptionsAreNumbered) {
  EXPECT_EQ(logic.group_caption(0), "1. DMX");
  EXPECT_EQ(logic.group_caption(1), "2. Modbus Slave");
  EXPECT_EQ(logic.group_caption(2), "3. Ethernet");
}

} // namespace
} // namespace lw
