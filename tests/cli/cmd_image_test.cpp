#include "cli_run.h"
#include "program_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

using test::CliRun;
using test::run_cli;

class CliImage : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override { open_configuration("Line 3"); }
  std::string conf = dir.file("PROJECTS/Line 3");
  std::string bank = dir.file("PROJECTS/Line 3/bin/bank.bin");
};

TEST_F(CliImage, CompileWritesTheImageAndReportsIt) {
  CliRun r = run_cli(dir.path(), {"compile", conf});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, bank + "\n2560 bytes\nchecksum 0x00000C6B\n");
  EXPECT_EQ(stdfs::file_size(bank), 2560u);
  r = run_cli(dir.path(), {"compile", conf, "-o", dir.file("other.bin")});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(test::read_file(dir.file("other.bin")), test::read_file(bank));
}

TEST_F(CliImage, CompileFailures) {
  test::write_file(conf + "/ParGen.xml", "<Par_Gen>");
  CliRun r = run_cli(dir.path(), {"compile", conf});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("ParGen.xml"), std::string::npos);
  stdfs::remove(conf + "/ParGen.xml");
  stdfs::remove(conf + "/bin");
  test::write_file(conf + "/bin", "in the way");
  r = run_cli(dir.path(), {"compile", conf});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Not a directory"), std::string::npos) << r.err;
}

TEST_F(CliImage, InspectDecodesTheGoldenImage) {
  CliRun r = run_cli(dir.path(), {"inspect", LOOMWORK_FIXTURES "/golden/bank.bin"});
  ASSERT_EQ(r.status, 0) << r.out;
  for (const char* line :
       {"ip_address: 10.20.30.40\n", "subnet_mask: 255.255.254.0\n", "gateway: 10.20.30.1\n",
        "modbus_address: 247\n", "serial_interface: RS232\n", "baud_rate: 19200\n", "parity: even\n",
        "stop_bits: 2\n", "data_bits: 8\n", "dmx_direction: IN\n", "dmx_channels: 300\n",
        "dmx_end_line_resistor: on\n", "one_channel_per_register: on\n", "(match)",
        "fixed fields changed: none\n", "  2: 7\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  r = run_cli(dir.path(), {"inspect", LOOMWORK_FIXTURES "/golden/bank.bin", "--json"});
  EXPECT_EQ(r.status, 0);
  const auto json = nlohmann::json::parse(r.out);
  EXPECT_EQ(json["size"], 2560);
  EXPECT_EQ(json["size_ok"], true);
  EXPECT_EQ(json["sound"], true);
  EXPECT_EQ(json["fields"], (nlohmann::json{{"ip_address", "10.20.30.40"},
                                            {"subnet_mask", "255.255.254.0"},
                                            {"gateway", "10.20.30.1"},
                                            {"modbus_address", "247"},
                                            {"serial_interface", "RS232"},
                                            {"baud_rate", "19200"},
                                            {"parity", "even"},
                                            {"stop_bits", "2"},
                                            {"data_bits", "8"},
                                            {"dmx_direction", "IN"},
                                            {"dmx_channels", "300"},
                                            {"dmx_end_line_resistor", "on"},
                                            {"one_channel_per_register", "on"}}));
  EXPECT_EQ(json["checksum"], (nlohmann::json{{"stored", "0x00000992"}, {"computed", "0x00000992"}}));
  EXPECT_EQ(json["fixed_changed"], nlohmann::json::array());
  // The golden image gives channel n the value 7 (n - 1) modulo 256: every
  // channel but 1 and 257, each a run of its own.
  nlohmann::json dmx = nlohmann::json::array();
  for (int channel = 1; channel <= 512; ++channel)
    if (int value = (channel - 1) * 7 % 256; value != 0)
      dmx.push_back({{"first", channel}, {"last", channel}, {"value", value}});
  EXPECT_EQ(json["dmx"], dmx);
}

TEST_F(CliImage, InspectFlagsDamage) {
  std::string img = test::read_file(LOOMWORK_FIXTURES "/golden/bank.bin");
  ASSERT_EQ(img.size(), 2560u);
  img[100] = 7;
  test::write_file(dir.file("bad.bin"), img);
  CliRun r = run_cli(dir.path(), {"inspect", dir.file("bad.bin")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("MISMATCH"), std::string::npos);
  EXPECT_NE(r.out.find("offset 100 (0x064): 7, reset 0"), std::string::npos) << r.out;
  r = run_cli(dir.path(), {"inspect", dir.file("bad.bin"), "--json"});
  EXPECT_EQ(r.status, 1);
  auto json = nlohmann::json::parse(r.out);
  EXPECT_EQ(json["sound"], false);
  EXPECT_EQ(json["checksum"], (nlohmann::json{{"stored", "0x00000992"}, {"computed", "0x00000999"}}));
  EXPECT_EQ(json["fixed_changed"],
            nlohmann::json::array({{{"offset", 100}, {"width", 1}, {"value", 7}, {"reset", 0}}}));
  test::write_file(dir.file("short.bin"), img.substr(0, 2100));
  r = run_cli(dir.path(), {"inspect", dir.file("short.bin")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("(expected 2560)"), std::string::npos);
  r = run_cli(dir.path(), {"inspect", dir.file("short.bin"), "--json"});
  EXPECT_EQ(r.status, 1);
  json = nlohmann::json::parse(r.out);
  EXPECT_EQ(json["size"], 2100);
  EXPECT_EQ(json["size_ok"], false);
  EXPECT_EQ(json["sound"], false);
  EXPECT_EQ(run_cli(dir.path(), {"inspect", dir.file("none.bin")}).status, 2);
}

TEST_F(CliImage, DescriptorForAConfiguration) {
  CliRun r = run_cli(dir.path(), {"descriptor", conf, "--ip", "10.0.0.7", "--option", "2", "--no-read-back"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string xml = test::read_file(dir.file("Ethernet_Update.xml"));
  EXPECT_NE(xml.find("<IP_Address_Dev>10.0.0.7</IP_Address_Dev>"), std::string::npos);
  EXPECT_NE(xml.find("<Ope_FileName>" + bank + "</Ope_FileName>"), std::string::npos) << xml;
  EXPECT_EQ(xml.find("Sim40873.sim"), std::string::npos);
  EXPECT_NE(xml.find("<Ope_Read_Back>0</Ope_Read_Back>"), std::string::npos);
}

// The same test as the probe's: nothing else reaches the updater.
TEST_F(CliImage, DescriptorRefusesAnUnusableAddress) {
  for (const char* ip :
       {"300.1.1.1", "-1.2.3.4", "1.2.3.4.5", "1..3.4", "0x7f.0.0.1", " 1.2.3.4", "1.2.3.4\n"}) {
    CliRun r = run_cli(dir.path(), {"descriptor", conf, "--ip", ip});
    EXPECT_EQ(r.status, 2) << ip;
    EXPECT_NE(r.err.find("--ip needs four numbers"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(stdfs::exists(dir.file("Ethernet_Update.xml")));
}

TEST_F(CliImage, DescriptorAddressInPlainDecimal) {
  CliRun r = run_cli(dir.path(), {"descriptor", conf, "--ip", "010.000.001.007"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string xml = test::read_file(dir.file("Ethernet_Update.xml"));
  EXPECT_NE(xml.find("<IP_Address_Dev>10.0.1.7</IP_Address_Dev>"), std::string::npos) << xml;
}

TEST_F(CliImage, DescriptorUsage) {
  EXPECT_EQ(run_cli(dir.path(), {"descriptor", conf}).status, 2);
  EXPECT_EQ(run_cli(dir.path(), {"descriptor", conf, "--ip", "1.2.3"}).status, 2);
  EXPECT_EQ(run_cli(dir.path(), {"descriptor", conf, "--ip", "1.2.3.4", "--option", "3"}).status, 2);
  EXPECT_EQ(run_cli(dir.path(), {"descriptor", conf, "--ip", "1.2.3.4", "-o", dir.file("no/x.xml")}).status,
            1);
}

} // namespace
} // namespace lw
