#include "core/text_ids.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "params/par_gen.h"
#include "temp_dir.h"
#include "update/change_preview.h"
#include "update/image_diff.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace lw {
namespace {

image::Image compiled(const Par_Gen_Set& set, std::string_view dmx = {}) {
  image::ImageCompiler compiler;
  std::string xml = par_gen_xml(set);
  compiler.Compile_Image_Bytes(xml, dmx.empty() ? std::nullopt : std::optional(dmx));
  return compiler.image();
}

std::string dmx_xml(int channels, int value) {
  std::string out = "<DMX>";
  for (int i = 0; i < channels; ++i)
    out += "<C Default_Value=\"" + std::to_string(value) + "\"/>";
  return out + "</DMX>";
}

TextTable english() {
  TextTable texts;
  texts.Fill_English_Texts();
  return texts;
}

struct PairCase {
  const char* name;
  std::function<void(Par_Gen_Set&)> edit;
  std::function<void(image::Image&)> poke;
  std::string text; // the diff as the companion prints it, but for the checksum's line
};

std::string stored_checksum(const image::Image& i) {
  return image::hex32(image::read_le(i.data() + image::kChecksumOffset, 4));
}

class Pairs : public testing::TestWithParam<PairCase> {};

TEST_P(Pairs, EachDifferenceIsNamedWithBothValues) {
  const PairCase& c = GetParam();
  Par_Gen_Set set;
  image::Image before = compiled(set);
  if (c.edit) c.edit(set);
  image::Image after = compiled(set);
  if (c.poke) c.poke(after);
  ImageDiff diff = diff_images(before, after);
  EXPECT_EQ(diff.equal(), before == after);
  // Any change of the parameters changes the stored checksum: its line ends the fields.
  std::string checksum_line;
  if (stored_checksum(before) != stored_checksum(after))
    checksum_line = "Checksum: " + stored_checksum(before) + " -> " + stored_checksum(after) + "\n";
  EXPECT_EQ(checksum_line.empty(), before == after);
  EXPECT_EQ(diff_text(diff, english()), c.text + checksum_line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pairs,
    testing::Values(PairCase{"equal", {}, {}, "No change\n"},
                    PairCase{"address",
                             [](Par_Gen_Set& s) { s.Ethernet_IP4 = "9"; },
                             {},
                             "IP Address: 192.168.0.5 -> 192.168.0.9\n"},
                    PairCase{"choices_by_their_items",
                             [](Par_Gen_Set& s) {
                               s.MODBUS_SLAVE_PARITY = 2;
                               s.MODBUS_SLAVE_SERIAL = 1;
                               s.DMX_DMX = 0;
                             },
                             {},
                             "DMX: OUT -> IN\nSerial: RS232 -> RS485\nParity: NONE -> EVEN\n"},
                    PairCase{"flags_and_numbers",
                             [](Par_Gen_Set& s) {
                               s.DMX_END_LINE_RES = true;
                               s.MODBUS_SLAVE_STOPBITS = 1;
                               s.MODBUS_SLAVE_BAUDRATE = 3;
                               s.MODBUS_SLAVE_IDDEVICE = "247";
                             },
                             {},
                             "Enable End-Line Resistor: Off -> On\nBaudrate: 115200 -> 9600\n"
                             "Stop Bits: 1 Stop Bits -> 2 Stop Bits\nID Device: 10 -> 247\n"},
                    PairCase{"gateway_switched_on",
                             [](Par_Gen_Set& s) { s.Ethernet_EN_GAT = true; },
                             {},
                             "Gateway: Off -> 192.168.0.1\n"},
                    // Bytes no editor field explains still show, by their place, so a
                    // foreign or damaged image never passes for an equal one.
                    PairCase{"fixed_field_gap_and_checksum",
                             {},
                             [](image::Image& i) {
                               i[0x53] = 4;
                               i[image::kGapOffset + 1] = 1;
                               i[image::kChecksumOffset] ^= 0xFF;
                               i[image::at::dmx_line] |= 0x01;
                             },
                             "0x053: 0 -> 4\ndmx_line: 0 -> 1\n0x73D: 0 -> 1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageDiff, ManyChannelsAreCountedAndTheFirstListedWithTheirMnemonics) {
  Par_Gen_Set set;
  image::Image before = compiled(set, dmx_xml(30, 0));
  image::Image after = compiled(set, dmx_xml(30, 200));
  DMX_Def_Table table(30);
  table[0].Mnemonic = "Dimmer 1";
  ImageDiff diff = diff_images(before, after, &table);
  EXPECT_TRUE(diff.fields.empty()); // the checksum covers the parameters only
  ASSERT_EQ(diff.channels.size(), 30u);
  EXPECT_EQ(diff.channels[0], (ChannelChange{1, 0, 200, "Dimmer 1"}));
  EXPECT_EQ(diff.channels[29], (ChannelChange{30, 0, 200, ""}));
  std::string text = diff_text(diff, english());
  EXPECT_TRUE(
      text.starts_with("DMX channels changed: 30\n  Channel 1 (Dimmer 1): 0 -> 200\n  Channel 2: 0 -> 200\n"))
      << text;
  EXPECT_NE(text.find("  Channel 20: 0 -> 200\n  more channels: 10\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Channel 21"), std::string::npos);
  // The JSON lists every channel, not the first 20.
  const auto json = nlohmann::json::parse(diff_json(diff, english()));
  EXPECT_EQ(json["equal"], false);
  EXPECT_EQ(json["fields"], nlohmann::json::array());
  EXPECT_EQ(json["channels_changed"], 30);
  ASSERT_EQ(json["channels"].size(), 30u);
  EXPECT_EQ(json["channels"][0],
            (nlohmann::json{{"channel", 1}, {"mnemonic", "Dimmer 1"}, {"old", 0}, {"new", 200}}));
  EXPECT_EQ(json["channels"][29],
            (nlohmann::json{{"channel", 30}, {"mnemonic", ""}, {"old", 0}, {"new", 200}}));
}

// A mnemonic is whatever the file held: the JSON gives it back as it was,
// quotes, backslashes and control characters included.
TEST(ImageDiff, JsonGivesEveryMnemonicBackAsItWas) {
  const std::vector<std::string> mnemonics = {"say \"hi\"", "back\\slash", "line\nbreak\ttab\x01\x1f",
                                              "Gr\xC3\xBCn \xE2\x80\xA6", ""};
  Par_Gen_Set set;
  const auto channels = static_cast<int>(mnemonics.size());
  DMX_Def_Table table(mnemonics.size());
  for (std::size_t i = 0; i < mnemonics.size(); ++i)
    table[i].Mnemonic = mnemonics[i];
  ImageDiff diff =
      diff_images(compiled(set, dmx_xml(channels, 0)), compiled(set, dmx_xml(channels, 9)), &table);
  const auto json = nlohmann::json::parse(diff_json(diff, english()));
  ASSERT_EQ(json["channels"].size(), mnemonics.size());
  for (std::size_t i = 0; i < mnemonics.size(); ++i)
    EXPECT_EQ(json["channels"][i]["mnemonic"], mnemonics[i]) << i;
}

TEST(ImageDiff, LabelsAndFlagsSpeakTheCataloguesLanguage) {
  Par_Gen_Set set;
  image::Image before = compiled(set);
  set.MODBUS_SLAVE_DMX_MAP = true;
  TextTable texts = english();
  texts.Put(1141, "Ein Kanal je Register");
  texts.Put(text_id::kFlagOff, "Aus");
  texts.Put(text_id::kFlagOn, "Ein");
  texts.Put(text_id::kPreviewChecksum, "Prüfsumme");
  EXPECT_EQ(diff_text(diff_images(before, compiled(set)), texts),
            "Ein Kanal je Register: Aus -> Ein\nPrüfsumme: " + stored_checksum(before) + " -> " +
                stored_checksum(compiled(set)) + "\n");
}

TEST(ImageDiff, OnlyAnImageOfTheRightSizeIsRead) {
  test::TempDir dir;
  const std::string path = dir.file("bank.bin");
  EXPECT_THROW(load_image(path), FileError);
  for (std::size_t size : {std::size_t{0}, image::kImageSize - 1, image::kImageSize + 1}) {
    test::write_file(path, std::string(size, '\0'));
    EXPECT_THROW(load_image(path), FileError) << size;
  }
  std::string bytes(image::kImageSize, '\0');
  bytes[2048] = 9;
  test::write_file(path, bytes);
  EXPECT_EQ(load_image(path)[2048], 9);
}

} // namespace
} // namespace lw
