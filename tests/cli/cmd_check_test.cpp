#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace lw {
namespace {

struct CheckCase {
  const char* name;
  std::string par_gen; // empty: no file
  std::string dmx;     // empty: no file
  int status;
  std::string out;
};

class CliCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(CliCheck, RunsTheEditorsTests) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.file("bin")); // a configuration, as a new one stands
  if (!GetParam().par_gen.empty()) test::write_file(dir.file("ParGen.xml"), GetParam().par_gen);
  if (!GetParam().dmx.empty()) test::write_file(dir.file("DMX_Default_Values.xml"), GetParam().dmx);
  std::ostringstream out, err;
  cli::Io io{out, err, dir.path()};
  EXPECT_EQ(cli::run({"check", dir.path()}, io), GetParam().status) << err.str();
  EXPECT_EQ(out.str(), GetParam().out);
  if (GetParam().status == 2) {
    EXPECT_NE(err.str().find("ParGen.xml"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliCheck,
    testing::Values(CheckCase{"empty_configuration", "", "", 0, "OK\n"},
                    CheckCase{"bad_channel_count", "<P><DMX_Num_Channels>20</DMX_Num_Channels></P>", "", 1,
                              "Error DMX!! Channel Number must be between 24 and 512\n"},
                    CheckCase{"blank_choice", "<P><MODBUS_SLAVE_PARITY>3</MODBUS_SLAVE_PARITY></P>", "", 1,
                              "Modbus Slave / Parity: Select Parity to use in serial\n"},
                    CheckCase{"bad_dmx_row", "<P><DMX_Num_Channels>24</DMX_Num_Channels></P>",
                              "<D><Row Default_Value=\"1\"/><Row Default_Value=\"999\"/></D>", 1,
                              "Error row 2!! Default Value must be between 0 and 255\n"},
                    CheckCase{"rows_beyond_the_count_ignored",
                              "<P><DMX_Num_Channels>24</DMX_Num_Channels></P>",
                              "<D>" +
                                  [] {
                                    std::string r;
                                    for (int i = 0; i < 24; ++i)
                                      r += "<Row Default_Value=\"1\"/>";
                                    return r;
                                  }() +
                                  "<Row Default_Value=\"x\"/></D>",
                              0, "OK\n"},
                    CheckCase{"broken_file", "<P>", "", 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A ParGen.xml holding these elements, the others at their defaults.
std::string par_gen(const std::map<std::string, std::string>& elements) {
  std::string xml = "<Par_Gen>";
  for (const auto& [name, value] : elements)
    xml += "<" + name + ">" + value + "</" + name + ">";
  return xml + "</Par_Gen>";
}

// A configuration as a new one stands, with its bin folder.
void write_configuration(const test::TempDir& dir, const std::string& place, const std::string& xml) {
  std::filesystem::create_directories(dir.file(place + "/bin"));
  if (!xml.empty()) test::write_file(dir.file(place + "/ParGen.xml"), xml);
}

// The notes follow the verdict, which they never change; the configurations
// of the same PROJECTS folder are its site, the neighbours of a folder
// elsewhere are not.
TEST(CliCheckNotes, FollowTheVerdictAndNameTheSite) {
  test::TempDir dir;
  write_configuration(dir, "PROJECTS/A",
                      par_gen({{"Ethernet_EN_GAT", "1"}, {"Ethernet_GAT1", "10"}, {"Ethernet_IP4", "7"}}));
  write_configuration(dir, "PROJECTS/B", par_gen({{"Ethernet_IP4", "7"}}));
  write_configuration(dir, "PROJECTS/C",
                      par_gen({{"DMX_Num_Channels", "20"}, {"Ethernet_SM2", "0"}, {"Ethernet_IP4", "7"}}));
  write_configuration(dir, "elsewhere/X", par_gen({}));
  write_configuration(dir, "elsewhere/Y", par_gen({}));
  auto a = test::run_cli(dir.path(), {"check", dir.file("PROJECTS/A/")});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out, "OK\n"
                   "note: A: gateway 10.168.0.1 is outside subnet 192.168.0.0/255.255.255.0\n"
                   "note: A, B, C: the same IP address 192.168.0.7\n");
  auto c = test::run_cli(dir.path(), {"check", dir.file("PROJECTS/C")});
  EXPECT_EQ(c.status, 1);
  EXPECT_EQ(c.out, "Error DMX!! Channel Number must be between 24 and 512\n"
                   "note: C: subnet mask 255.0.255.0 is not contiguous\n"
                   "note: A, B, C: the same IP address 192.168.0.7\n");
  auto x = test::run_cli(dir.path(), {"check", dir.file("elsewhere/X")});
  EXPECT_EQ(x.status, 0);
  EXPECT_EQ(x.out, "OK\n");
}

struct SiteCase {
  const char* name;
  std::map<std::string, std::string> configurations; // name: its ParGen.xml, "" for none
  int status;
  std::string out;
};

class CliCheckSite : public testing::TestWithParam<SiteCase> {};

// Each configuration's verdict by name, then the site's notes; the status
// is check's for the worst verdict.
TEST_P(CliCheckSite, ChecksEveryConfiguration) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.file("site"));
  test::write_file(dir.file("site/readme.txt"), "not a configuration");
  for (const auto& [name, xml] : GetParam().configurations)
    write_configuration(dir, "site/" + name, xml);
  auto r = test::run_cli(dir.path(), {"check", "--site", dir.file("site")});
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  EXPECT_EQ(r.out, GetParam().out);
  EXPECT_EQ(r.err.find("ParGen.xml") != std::string::npos, GetParam().status == 2) << r.err;
}

const std::string kClash = par_gen({{"Ethernet_IP4", "9"}});

INSTANTIATE_TEST_SUITE_P(
    Cases, CliCheckSite,
    testing::Values(
        SiteCase{"empty_site", {}, 0, ""},
        SiteCase{
            "all_ok_with_notes",
            {{"Line 1", kClash}, {"Line 2", ""}, {"Line 3", kClash}},
            0,
            "Line 1: OK\nLine 2: OK\nLine 3: OK\nnote: Line 1, Line 3: the same IP address 192.168.0.9\n"},
        SiteCase{"a_test_fails",
                 {{"A", par_gen({{"MODBUS_SLAVE_IDDEVICE", "0"}})}, {"B", ""}},
                 1,
                 "A: Error Modbus Slave!! ID Device must be between 1 and 247\nB: OK\n"},
        SiteCase{"a_file_cant_be_parsed",
                 {{"A", par_gen({{"MODBUS_SLAVE_IDDEVICE", "0"}})}, {"B", "<Par_Gen>"}, {"C", kClash}},
                 2,
                 "A: Error Modbus Slave!! ID Device must be between 1 and 247\nC: OK\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliCheckSite, TakesThePROJECTSBesideTheProgramByDefault) {
  test::TempDir dir;
  write_configuration(dir, "PROJECTS/Only", par_gen({{"Ethernet_IP4", "255"}}));
  auto r = test::run_cli(dir.path(), {"check", "--site"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Only: OK\n"
                   "note: Only: IP address 192.168.0.255 is the broadcast address of subnet "
                   "192.168.0.0/255.255.255.0\n");
  auto missing = test::run_cli(dir.path(), {"check", "--site", dir.file("nowhere")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "loomwork-cli check --site: " + dir.file("nowhere") + " is not a folder\n");
}

} // namespace
} // namespace lw
