#include "cli.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
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

} // namespace
} // namespace lw
