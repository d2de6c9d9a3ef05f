#include "formats/errors.h"
#include "params/par_gen.h"
#include "temp_dir.h"

#include <functional>
#include <gtest/gtest.h>

namespace lw {
namespace {

std::string with_root(const std::string& inner) { return "<Par_Gen>" + inner + "</Par_Gen>"; }

TEST(ParGenFile, NoFileGivesTheDefaultSet) {
  Par_Gen_Set s = Load_Par_Gen("/nonexistent/ParGen.xml");
  EXPECT_EQ(s.DMX_DMX, 1);
  EXPECT_EQ(s.DMX_Num_Channels, "512");
  EXPECT_FALSE(s.DMX_END_LINE_RES);
  EXPECT_EQ(s.MODBUS_SLAVE_SERIAL, 0);
  EXPECT_EQ(s.MODBUS_SLAVE_BAUDRATE, 7);
  EXPECT_EQ(s.MODBUS_SLAVE_PARITY, 0);
  EXPECT_EQ(s.MODBUS_SLAVE_STOPBITS, 0);
  EXPECT_EQ(s.MODBUS_SLAVE_IDDEVICE, "10");
  EXPECT_FALSE(s.MODBUS_SLAVE_DMX_MAP);
  EXPECT_EQ(s.Ethernet_IP1 + "." + s.Ethernet_IP2 + "." + s.Ethernet_IP3 + "." + s.Ethernet_IP4,
            "192.168.0.5");
  EXPECT_EQ(s.Ethernet_SM1 + "." + s.Ethernet_SM2 + "." + s.Ethernet_SM3 + "." + s.Ethernet_SM4,
            "255.255.255.0");
  EXPECT_EQ(s.Ethernet_GAT1 + "." + s.Ethernet_GAT2 + "." + s.Ethernet_GAT3 + "." + s.Ethernet_GAT4,
            "192.168.0.1");
  EXPECT_FALSE(s.Ethernet_EN_GAT);
}

struct ReadCase {
  const char* name;
  std::string file;
  std::function<void(Par_Gen_Set&)> expect; // turns the default set into the expected one
};

class ParGenRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ParGenRead, FieldsAreReadEachOnTheirOwn) {
  test::TempDir dir;
  test::write_file(dir.file("ParGen.xml"), GetParam().file);
  Par_Gen_Set want;
  GetParam().expect(want);
  EXPECT_EQ(Load_Par_Gen(dir.file("ParGen.xml")), want) << par_gen_xml(Load_Par_Gen(dir.file("ParGen.xml")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParGenRead,
    testing::Values(
        ReadCase{"missing_element_takes_its_default",
                 with_root("<DMX_Num_Channels>100</DMX_Num_Channels><Ethernet_IP1>10</Ethernet_IP1>"),
                 [](Par_Gen_Set& s) {
                   s.DMX_Num_Channels = "100";
                   s.Ethernet_IP1 = "10";
                 }},
        ReadCase{"choice_not_an_integer_gives_default", with_root("<DMX_DMX>abc</DMX_DMX>"),
                 [](Par_Gen_Set&) {}},
        ReadCase{"choice_outside_list_gives_none",
                 with_root("<DMX_DMX>7</DMX_DMX><MODBUS_SLAVE_PARITY>-2</MODBUS_SLAVE_PARITY>"),
                 [](Par_Gen_Set& s) { s.DMX_DMX = s.MODBUS_SLAVE_PARITY = -1; }},
        ReadCase{"flag_only_exact_1",
                 with_root("<DMX_END_LINE_RES>true</DMX_END_LINE_RES>"
                           "<MODBUS_SLAVE_DMX_MAP>1</MODBUS_SLAVE_DMX_MAP>"
                           "<Ethernet_EN_GAT> 1</Ethernet_EN_GAT>"),
                 [](Par_Gen_Set& s) { s.MODBUS_SLAVE_DMX_MAP = true; }},
        ReadCase{"first_of_two_counts",
                 with_root("<Ethernet_IP2>1</Ethernet_IP2><Ethernet_IP2>2</Ethernet_IP2>"),
                 [](Par_Gen_Set& s) { s.Ethernet_IP2 = "1"; }},
        ReadCase{"letter_case_differs", with_root("<modbus_slave_iddevice>5</modbus_slave_iddevice>"),
                 [](Par_Gen_Set&) {}},
        ReadCase{"empty_element_is_empty_text", with_root("<Ethernet_IP1></Ethernet_IP1><Ethernet_IP2/>"),
                 [](Par_Gen_Set& s) { s.Ethernet_IP1 = s.Ethernet_IP2 = ""; }},
        ReadCase{"text_kept_verbatim", with_root("<Ethernet_IP3> 007 </Ethernet_IP3>"),
                 [](Par_Gen_Set& s) { s.Ethernet_IP3 = " 007 "; }},
        ReadCase{"child_element_counts_as_missing", with_root("<Ethernet_IP4>9<x/></Ethernet_IP4>"),
                 [](Par_Gen_Set&) {}},
        ReadCase{"comment_as_first_node", "<!-- c --><Par_Gen><DMX_DMX>0</DMX_DMX></Par_Gen>",
                 [](Par_Gen_Set&) {}},
        ReadCase{"other_root_name_and_declaration",
                 "<?xml version=\"1.0\"?><Anything><DMX_DMX>0</DMX_DMX></Anything>",
                 [](Par_Gen_Set& s) { s.DMX_DMX = 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParGenFile, SavedFileHasRootCommentAndElementsInTableOrder) {
  EXPECT_EQ(par_gen_xml(Par_Gen_Set()), "<Par_Gen>\n"
                                        "  <DMX_DMX>1</DMX_DMX>\n"
                                        "  <DMX_Num_Channels>512</DMX_Num_Channels>\n"
                                        "  <DMX_END_LINE_RES>0</DMX_END_LINE_RES>\n"
                                        "  <MODBUS_SLAVE_SERIAL>0</MODBUS_SLAVE_SERIAL>\n"
                                        "  <MODBUS_SLAVE_BAUDRATE>7</MODBUS_SLAVE_BAUDRATE>\n"
                                        "  <MODBUS_SLAVE_PARITY>0</MODBUS_SLAVE_PARITY>\n"
                                        "  <MODBUS_SLAVE_STOPBITS>0</MODBUS_SLAVE_STOPBITS>\n"
                                        "  <MODBUS_SLAVE_IDDEVICE>10</MODBUS_SLAVE_IDDEVICE>\n"
                                        "  <MODBUS_SLAVE_DMX_MAP>0</MODBUS_SLAVE_DMX_MAP>\n"
                                        "  <Ethernet_IP1>192</Ethernet_IP1>\n"
                                        "  <Ethernet_IP2>168</Ethernet_IP2>\n"
                                        "  <Ethernet_IP3>0</Ethernet_IP3>\n"
                                        "  <Ethernet_IP4>5</Ethernet_IP4>\n"
                                        "  <Ethernet_SM1>255</Ethernet_SM1>\n"
                                        "  <Ethernet_SM2>255</Ethernet_SM2>\n"
                                        "  <Ethernet_SM3>255</Ethernet_SM3>\n"
                                        "  <Ethernet_SM4>0</Ethernet_SM4>\n"
                                        "  <Ethernet_GAT1>192</Ethernet_GAT1>\n"
                                        "  <Ethernet_GAT2>168</Ethernet_GAT2>\n"
                                        "  <Ethernet_GAT3>0</Ethernet_GAT3>\n"
                                        "  <Ethernet_GAT4>1</Ethernet_GAT4>\n"
                                        "  <Ethernet_EN_GAT>0</Ethernet_EN_GAT>\n"
                                        "</Par_Gen>\n"
                                        "<!--SW_VERSION = 1.001-->\n");
}

TEST(ParGenFile, RoundTripKeepsTextsAndDropsUnknownElements) {
  test::TempDir dir;
  test::write_file(dir.file("ParGen.xml"),
                   with_root("<Unknown>x</Unknown><Ethernet_IP1>007</Ethernet_IP1>"
                             "<DMX_DMX>9</DMX_DMX><Ethernet_EN_GAT>1</Ethernet_EN_GAT>"));
  Par_Gen_Set s = Load_Par_Gen(dir.file("ParGen.xml"));
  s.Ethernet_GAT1 = "a & <b>";
  Save_Par_Gen(dir.file("ParGen.xml"), s);
  std::string saved = test::read_file(dir.file("ParGen.xml"));
  EXPECT_EQ(saved.find("Unknown"), std::string::npos);
  EXPECT_NE(saved.find("<DMX_DMX>-1</DMX_DMX>"), std::string::npos);
  Par_Gen_Set back = Load_Par_Gen(dir.file("ParGen.xml"));
  EXPECT_EQ(back, s);
  EXPECT_EQ(back.Ethernet_IP1, "007");
}

TEST(ParGenFile, NotWellFormedFailsWithTheParserTextAndPosition) {
  test::TempDir dir;
  test::write_file(dir.file("ParGen.xml"), "<Par_Gen>\n  <DMX_DMX>1</DMX>\n</Par_Gen>");
  try {
    Load_Par_Gen(dir.file("ParGen.xml"));
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    std::string what = e.what();
    EXPECT_NE(what.find("ParGen.xml"), std::string::npos) << what;
    EXPECT_NE(what.find("line 2"), std::string::npos) << what;
    EXPECT_NE(what.find("Start-end tags mismatch"), std::string::npos) << what;
  }
}

TEST(ParGenFile, UnwritableFolderFailsWithTheSystemText) {
  try {
    Save_Par_Gen("/nonexistent/dir/ParGen.xml", Par_Gen_Set());
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
  }
}

struct CheckCase {
  const char* name;
  std::function<void(Par_Gen_Set&)> change;
  std::optional<int> message;
};

class ControlloDati : public testing::TestWithParam<CheckCase> {};

TEST_P(ControlloDati, FirstFailingStepOnly) {
  Par_Gen_Set s;
  GetParam().change(s);
  auto failure = Controllo_Dati(s);
  EXPECT_EQ(failure ? std::optional<int>(failure->message) : std::nullopt, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ControlloDati,
    testing::Values(
        CheckCase{"defaults_pass", [](Par_Gen_Set&) {}, std::nullopt},
        CheckCase{"channels_23", [](Par_Gen_Set& s) { s.DMX_Num_Channels = "23"; }, 1011},
        CheckCase{"channels_513", [](Par_Gen_Set& s) { s.DMX_Num_Channels = "513"; }, 1011},
        CheckCase{"channels_abc", [](Par_Gen_Set& s) { s.DMX_Num_Channels = "abc"; }, 1011},
        CheckCase{"channels_empty", [](Par_Gen_Set& s) { s.DMX_Num_Channels = ""; }, 1011},
        CheckCase{"channels_24_and_0100", [](Par_Gen_Set& s) { s.DMX_Num_Channels = "0100"; }, std::nullopt},
        CheckCase{"two_stop_bits_none_parity", [](Par_Gen_Set& s) { s.MODBUS_SLAVE_STOPBITS = 1; },
                  std::nullopt},
        CheckCase{"two_stop_bits_odd",
                  [](Par_Gen_Set& s) { s.MODBUS_SLAVE_STOPBITS = 1, s.MODBUS_SLAVE_PARITY = 1; }, 1092},
        CheckCase{"one_stop_bit_even_passes",
                  [](Par_Gen_Set& s) { s.MODBUS_SLAVE_STOPBITS = 0, s.MODBUS_SLAVE_PARITY = 2; },
                  std::nullopt},
        CheckCase{"blank_stop_bits_refused",
                  [](Par_Gen_Set& s) { s.MODBUS_SLAVE_STOPBITS = -1, s.MODBUS_SLAVE_PARITY = 2; },
                  text_id::kNone},
        CheckCase{"blank_choice_before_later_checks",
                  [](Par_Gen_Set& s) { s.DMX_DMX = 2, s.DMX_Num_Channels = "9"; }, text_id::kNone},
        CheckCase{"channels_before_stop_bits",
                  [](Par_Gen_Set& s) {
                    s.DMX_Num_Channels = "1", s.MODBUS_SLAVE_STOPBITS = 1, s.MODBUS_SLAVE_PARITY = 2;
                  },
                  1011},
        CheckCase{"device_0", [](Par_Gen_Set& s) { s.MODBUS_SLAVE_IDDEVICE = "0"; }, 1093},
        CheckCase{"device_248", [](Par_Gen_Set& s) { s.MODBUS_SLAVE_IDDEVICE = "248"; }, 1093},
        CheckCase{"device_247", [](Par_Gen_Set& s) { s.MODBUS_SLAVE_IDDEVICE = "247"; }, std::nullopt},
        CheckCase{"ip3_256", [](Par_Gen_Set& s) { s.Ethernet_IP3 = "256"; }, 1123},
        CheckCase{"ip3_minus_1", [](Par_Gen_Set& s) { s.Ethernet_IP3 = "-1"; }, 1123},
        CheckCase{"mask4_x", [](Par_Gen_Set& s) { s.Ethernet_SM4 = "x"; }, 1128},
        CheckCase{"gateway_ignored_when_off", [](Par_Gen_Set& s) { s.Ethernet_GAT1 = "abc"; }, std::nullopt},
        CheckCase{"gateway_checked_when_on",
                  [](Par_Gen_Set& s) { s.Ethernet_GAT1 = "abc", s.Ethernet_EN_GAT = true; }, 1129},
        CheckCase{"gateway4_when_on",
                  [](Par_Gen_Set& s) { s.Ethernet_GAT4 = "300", s.Ethernet_EN_GAT = true; }, 1132},
        CheckCase{"channels_and_address_at_once",
                  [](Par_Gen_Set& s) { s.DMX_Num_Channels = "abc", s.Ethernet_IP1 = "300"; }, 1011}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw

namespace lw {
namespace {

// A blank choice is named by its group and label and told by its hint, all
// from the catalogue, so the message reads in the chosen language.
TEST(ControlloDati, BlankChoiceNamesItsField) {
  Par_Gen_Set s;
  s.MODBUS_SLAVE_BAUDRATE = 8; // one past the last rate
  auto failure = Controllo_Dati(s);
  ASSERT_TRUE(failure);
  EXPECT_TRUE(failure->blank_choice);
  EXPECT_STREQ(failure->field->element, "MODBUS_SLAVE_BAUDRATE");
  TextTable texts;
  texts.Fill_English_Texts();
  texts.Put(text_id::kGroupModbusSlave, "Esclavo Modbus");
  EXPECT_EQ(failure_text(*failure, texts), "Esclavo Modbus / " + texts.Get(failure->field->view.label) +
                                               ": " + texts.Get(failure->field->view.hint));
}

} // namespace
} // namespace lw
