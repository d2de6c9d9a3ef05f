#include "core/app_state.h"
#include "program_folder.h"
#include "windows/editors.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

class ParGenEditor : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override { open_configuration("A"); }
  ParGenEditorLogic logic{state, messages};
};

TEST_F(ParGenEditor, OkSavesAValidSet) {
  Par_Gen_Set s = logic.FormShow();
  s.Ethernet_GAT1 = "abc"; // not tested while the gateway is off
  ASSERT_TRUE(logic.Btn_OKClick(s));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Load_Par_Gen(state.File_ParGen).Ethernet_GAT1, "abc");
}

TEST_F(ParGenEditor, FailingTestShowsItsMessageAndWritesNothing) {
  Par_Gen_Set s;
  s.Ethernet_IP3 = "256";
  EXPECT_FALSE(logic.Btn_OKClick(s));
  EXPECT_EQ(messages.last_text(), "Error Ethernet!! IP Address 3 must be between 0 and 255");
  EXPECT_FALSE(std::filesystem::exists(state.File_ParGen));
}

TEST_F(ParGenEditor, BrokenFileIsReportedAndTheDefaultSetShown) {
  test::write_file(state.File_ParGen, "<Par_Gen><DMX_DMX>0</Par_Gen>");
  EXPECT_EQ(logic.FormShow(), Par_Gen_Set());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_NE(messages.shown[0].text.find("line 1"), std::string::npos) << messages.shown[0].text;
}

TEST_F(ParGenEditor, UnwritableFileIsReported) {
  state.File_ParGen = dir.file("gone/ParGen.xml");
  EXPECT_FALSE(logic.Btn_OKClick(Par_Gen_Set()));
  EXPECT_NE(messages.last_text().find("No such file or directory"), std::string::npos);
}

TEST_F(ParGenEditor, GroupCaptionsAreNumbered) {
  EXPECT_EQ(logic.group_caption(0), "1. DMX");
  EXPECT_EQ(logic.group_caption(1), "2. Modbus Slave");
  EXPECT_EQ(logic.group_caption(2), "3. Ethernet");
}

} // namespace
} // namespace lw
