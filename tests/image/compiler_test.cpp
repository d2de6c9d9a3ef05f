#include "bytes.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "temp_dir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace lw {
namespace {

using image::ImageCompiler;
namespace stdfs = std::filesystem;

class Compile : public testing::Test {
protected:
  image::Image compile() {
    compiler.Compile_Image(par_gen, dmx);
    EXPECT_EQ(compiler.Image_Size, 2560);
    return compiler.image();
  }
  std::uint32_t u(const image::Image& img, std::size_t offset, int width) {
    return image::read_le(img.data() + offset, width);
  }
  test::TempDir dir;
  std::string par_gen = dir.file("ParGen.xml");
  std::string dmx = dir.file("DMX_Default_Values.xml");
  ImageCompiler compiler;
};

TEST_F(Compile, NoFilesGiveTheResetValues) {
  auto img = compile();
  EXPECT_EQ(u(img, 40, 4), 0x0A00A8C0u); // C0 A8 00 0A
  EXPECT_EQ(u(img, 48, 4), 0xFFFFFFFFu);
  EXPECT_EQ(u(img, 476, 4), 0u);
  EXPECT_EQ(u(img, 0, 4), 125000u);
  EXPECT_EQ(u(img, 480, 4), 0x68800u);
  EXPECT_EQ(u(img, 436, 1), 8u);
  EXPECT_EQ(u(img, 2044, 4), 3179u);
  for (std::size_t i = 2048; i < 2560; ++i)
    ASSERT_EQ(img[i], 0) << i;
}

TEST_F(Compile, EmptyRootGivesTheCompilersOwnDefaults) {
  test::write_file(par_gen, "<Par_Gen/>");
  auto img = compile();
  EXPECT_EQ(u(img, 40, 4), 0xCD02A8C0u); // C0 A8 02 CD
  EXPECT_EQ(u(img, 44, 4), 0x00FFFFFFu);
  EXPECT_EQ(u(img, 48, 4), 0xFFFFFFFFu);
  EXPECT_EQ(u(img, 24, 4), 10u);
  EXPECT_EQ(u(img, 400, 4), 115200u);
  EXPECT_EQ(u(img, 478, 2), 512u);
  EXPECT_EQ(u(img, 476, 2), 0u);
  EXPECT_EQ(u(img, 436, 1), 8u);
  EXPECT_EQ(u(img, 2044, 4), 3583u);
}

struct ElementCase {
  const char* name;
  std::string elements;
  std::size_t offset;
  int width;
  std::uint32_t expected;
};

class CompileElement : public Compile, public testing::WithParamInterface<ElementCase> {};

TEST_P(CompileElement, LandsAtItsOffset) {
  test::write_file(par_gen, "<Par_Gen>" + GetParam().elements + "</Par_Gen>");
  auto img = compile();
  EXPECT_EQ(u(img, GetParam().offset, GetParam().width), GetParam().expected);
  EXPECT_EQ(u(img, 2044, 4), image::checksum(img.data()));
}

std::string e(const char* name, const char* text) {
  return std::string("<") + name + ">" + text + "</" + name + ">";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompileElement,
    testing::Values(
        ElementCase{"input_count", e("DMX_DMX", "0") + e("DMX_Num_Channels", "100"), 476, 4, 100},
        ElementCase{"output_count", e("DMX_DMX", "1") + e("DMX_Num_Channels", "100"), 476, 4, 100u << 16},
        ElementCase{"direction_minus_1_is_output", e("DMX_DMX", "-1") + e("DMX_Num_Channels", "100"), 478, 2,
                    100},
        ElementCase{"direction_abc_is_output", e("DMX_DMX", "abc") + e("DMX_Num_Channels", "100"), 478, 2,
                    100},
        ElementCase{"count_modulo_65536", e("DMX_DMX", "0") + e("DMX_Num_Channels", "65537"), 476, 2, 1},
        ElementCase{"end_line_resistor", e("DMX_END_LINE_RES", "1"), 426, 1, 0x80},
        ElementCase{"end_line_resistor_true_is_off", e("DMX_END_LINE_RES", "true"), 426, 1, 0},
        ElementCase{"stop_bits_1_stored_as_2", e("MODBUS_SLAVE_STOPBITS", "1"), 430, 1, 2},
        ElementCase{"stop_bits_0", e("MODBUS_SLAVE_STOPBITS", "0"), 430, 1, 0},
        ElementCase{"stop_bits_minus_1", e("MODBUS_SLAVE_STOPBITS", "-1"), 430, 1, 255},
        ElementCase{"baud_index_3", e("MODBUS_SLAVE_BAUDRATE", "3"), 400, 4, 9600},
        ElementCase{"baud_index_8", e("MODBUS_SLAVE_BAUDRATE", "8"), 400, 4, 9600},
        ElementCase{"baud_index_minus_1", e("MODBUS_SLAVE_BAUDRATE", "-1"), 400, 4, 9600},
        ElementCase{"baud_index_4", e("MODBUS_SLAVE_BAUDRATE", "4"), 400, 4, 19200},
        ElementCase{"serial_0_is_rs232", e("MODBUS_SLAVE_SERIAL", "0"), 97, 1, 1},
        ElementCase{"serial_1", e("MODBUS_SLAVE_SERIAL", "1"), 97, 1, 0},
        ElementCase{"serial_blank_0", e("MODBUS_SLAVE_SERIAL", " 0"), 97, 1, 0},
        ElementCase{"parity_even", e("MODBUS_SLAVE_PARITY", "2"), 424, 1, 2},
        ElementCase{"device_address", e("MODBUS_SLAVE_IDDEVICE", "247"), 24, 4, 247},
        ElementCase{"device_address_negative", e("MODBUS_SLAVE_IDDEVICE", "-1"), 24, 4, 0xFFFFFFFF},
        ElementCase{"mapping", e("MODBUS_SLAVE_DMX_MAP", "1"), 98, 1, 1},
        ElementCase{"ip_300_is_44", e("Ethernet_IP1", "300"), 40, 1, 44},
        ElementCase{"ip_abc_is_default", e("Ethernet_IP1", "abc"), 40, 1, 192},
        ElementCase{"ip_child_element_is_missing", e("Ethernet_IP4", "7<x/>"), 43, 1, 205},
        ElementCase{"mask", e("Ethernet_SM3", "254"), 46, 1, 254},
        ElementCase{"gateway_off_0", e("Ethernet_GAT1", "10") + e("Ethernet_EN_GAT", "0"), 48, 4, 0xFFFFFFFF},
        ElementCase{"gateway_off_true", e("Ethernet_GAT1", "10") + e("Ethernet_EN_GAT", "true"), 48, 4,
                    0xFFFFFFFF},
        ElementCase{"gateway_off_missing", e("Ethernet_GAT1", "10"), 48, 4, 0xFFFFFFFF},
        ElementCase{"gateway_on", e("Ethernet_GAT1", "10") + e("Ethernet_EN_GAT", "1"), 48, 4, 0x0102A80A}),
    [](const auto& info) { return std::string(info.param.name); });

std::string dmx_rows(int n, const std::function<std::string(int)>& value) {
  std::string s = "<DMX_Default_Values>";
  for (int i = 0; i < n; ++i)
    s += "<Row Default_Value=\"" + value(i) + "\" Mnemonic=\"\"/>";
  return s + "</DMX_Default_Values>";
}

TEST_F(Compile, DmxFileOf600RowsUsesTheFirst512) {
  test::write_file(dmx, dmx_rows(600, [](int i) { return std::to_string(i % 200 + 1); }));
  auto img = compile();
  EXPECT_EQ(img[2048], 1);
  EXPECT_EQ(img[2559], 511 % 200 + 1);
}

TEST_F(Compile, DmxFileOf24RowsLeavesTheRestZero) {
  test::write_file(dmx, dmx_rows(24, [](int i) {
                     return i == 0 ? "256" : i == 1 ? "-1" : i == 2 ? "x" : "9";
                   }));
  auto img = compile();
  EXPECT_EQ(img[2048], 0);   // 256
  EXPECT_EQ(img[2049], 255); // -1
  EXPECT_EQ(img[2050], 0);   // not an integer
  EXPECT_EQ(img[2071], 9);
  for (std::size_t i = 2072; i < 2560; ++i)
    ASSERT_EQ(img[i], 0) << i;
}

TEST_F(Compile, DmxByNodePositionIncludingComments) {
  test::write_file(dmx, "<D><!--c--><Row Default_Value=\"5\"/><Row/></D>");
  auto img = compile();
  EXPECT_EQ(img[2048], 0);
  EXPECT_EQ(img[2049], 5);
  EXPECT_EQ(img[2050], 0);
}

TEST_F(Compile, ChecksumLeavesOutTheDmxBlockAndFollowsEveryByte) {
  auto base = compile();
  test::write_file(dmx, dmx_rows(512, [](int) { return "200"; }));
  auto with_dmx = compile();
  EXPECT_EQ(u(with_dmx, 2044, 4), u(base, 2044, 4));
  for (std::size_t offset : {0u, 100u, 1852u, 2043u}) {
    auto raised = base;
    raised[offset] = static_cast<std::uint8_t>(raised[offset] + 3);
    EXPECT_EQ(image::checksum(raised.data()), u(base, 2044, 4) + 3) << offset;
  }
}

TEST_F(Compile, RemovedElementTakesItsDefaultNextTime) {
  test::write_file(par_gen, "<P>" + e("Ethernet_IP1", "10") + "</P>");
  EXPECT_EQ(compile()[40], 10);
  test::write_file(par_gen, "<P/>");
  EXPECT_EQ(compile()[40], 192);
}

TEST_F(Compile, MatchesTheGoldenImage) {
  const std::string golden = LOOMWORK_FIXTURES "/golden";
  compiler.Compile_Image(golden + "/ParGen.xml", golden + "/DMX_Default_Values.xml");
  auto img = compiler.image();
  EXPECT_TRUE(test::same_bytes(std::string_view(reinterpret_cast<const char*>(img.data()), img.size()),
                               test::read_file(golden + "/bank.bin")));
}

TEST_F(Compile, NotWellFormedStopsWithTheParserText) {
  test::write_file(dmx, "<D><Row></D>");
  EXPECT_THROW(compiler.Compile_Image(par_gen, dmx), FileError);
}

TEST_F(Compile, WriteReplacesTheFileAtomically) {
  stdfs::create_directories(dir.file("bin"));
  test::write_file(dir.file("bin/bank.bin"), "old");
  compile();
  compiler.Write_Bank_File(dir.path());
  EXPECT_EQ(stdfs::file_size(dir.file("bin/bank.bin")), 2560u);
  EXPECT_EQ(std::distance(stdfs::directory_iterator(dir.file("bin")), stdfs::directory_iterator()), 1);
}

TEST_F(Compile, WriteMakesAMissingBinFolder) {
  compile();
  compiler.Write_Bank_File(dir.path());
  EXPECT_EQ(stdfs::file_size(dir.file("bin/bank.bin")), 2560u);
}

TEST_F(Compile, WriteWhereNoBinFolderCanBeFailsWithTheSystemText) {
  compile();
  test::write_file(dir.file("bin"), "in the way");
  try {
    compiler.Write_Bank_File(dir.path());
    FAIL() << "expected a FileError";
  } catch (const FileError& err) {
    EXPECT_NE(std::string(err.what()).find("Not a directory"), std::string::npos) << err.what();
  }
  EXPECT_EQ(test::read_file(dir.file("bin")), "in the way");
}

} // namespace
} // namespace lw
