#include "bytes.h"
#include "cli_run.h"
#include "core/identity.h"
#include "core/text_ids.h"
#include "image/compiler.h"
#include "image/image_layout.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "projects/configuration_from_image.h"
#include "temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;
const std::string kGolden = LOOMWORK_FIXTURES "/golden";

std::string golden_image() { return test::read_file(kGolden + "/bank.bin"); }

// The image with one byte changed and its checksum made right again, so only
// the byte itself can be refused.
std::string changed(std::string bytes, std::size_t offset, std::uint8_t value) {
  bytes[offset] = static_cast<char>(value);
  auto* b = reinterpret_cast<std::uint8_t*>(bytes.data());
  image::write_le(b + image::kChecksumOffset, 4, image::checksum(b));
  return bytes;
}

std::string as_text(const image::Image& img) {
  return {reinterpret_cast<const char*>(img.data()), img.size()};
}

// What the configuration's files compile to now.
std::string compiled(const std::string& conf_dir) {
  image::ImageCompiler compiler;
  compiler.Compile_Image(fs::join(conf_dir, kParGenFile), fs::join(conf_dir, kDmxDefaultFile));
  return as_text(compiler.image());
}

std::vector<std::string> entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : stdfs::directory_iterator(test::fs_path(dir)))
    names.push_back(test::utf8(e.path().filename()));
  std::ranges::sort(names);
  return names;
}

TEST(ImportImage, GoldenImageComesBackByteForByte) {
  test::TempDir dir;
  stdfs::create_directories(test::fs_path(dir.file("PROJECTS")));
  auto r = test::run_cli(dir.path(), {"import-image", kGolden + "/bank.bin", "From Golden"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string conf = dir.file("PROJECTS/From Golden");
  // The golden values are the device's, though the editor refuses two stop
  // bits with a parity: the user is told what to correct.
  EXPECT_EQ(r.out, conf + "\nnote: " + cli::english_texts().Get(text_id::kMsgMnemonicsNotRecovered) +
                       "\nnote: The Set Communication editor refuses these values until they are corrected: "
                       "Error Modbus Slave!! Two Stop Bits can be selected only with None Parity\n");
  EXPECT_TRUE(test::same_bytes(compiled(conf), golden_image()));
  EXPECT_TRUE(
      test::same_bytes(test::read_file(dir.file("PROJECTS/From Golden/bin/bank.bin")), golden_image()));
  EXPECT_EQ(Load_Par_Gen(fs::join(conf, kParGenFile)), Load_Par_Gen(kGolden + "/ParGen.xml"));
  DMX_Def_Table made = Load_DMX_Defaults(fs::join(conf, kDmxDefaultFile), kDefaultDmxChannels);
  DMX_Def_Table golden = Load_DMX_Defaults(kGolden + "/DMX_Default_Values.xml", kDefaultDmxChannels);
  for (std::size_t i = 0; i < golden.size(); ++i) {
    EXPECT_EQ(made[i].Default_Value, golden[i].Default_Value) << "channel " << i + 1;
    EXPECT_EQ(made[i].Mnemonic, "") << "channel " << i + 1;
  }
  EXPECT_EQ(entries(dir.file("PROJECTS")), std::vector<std::string>{"From Golden"}); // nothing left aside
}

// A configuration whose parameters were never saved compiles with the
// compiler's reset values, which no ParGen.xml can give: it comes back
// without one, its DMX values kept.
TEST(ImportImage, UnsavedParametersComeBackWithoutParGen) {
  DMX_Def_Table values(30);
  values[0].Default_Value = "9";
  values[29].Default_Value = "200";
  image::ImageCompiler compiler;
  compiler.Compile_Image_Bytes(std::nullopt, dmx_defaults_xml(values));
  const std::string bytes = as_text(compiler.image());
  ImageConfiguration made = configuration_from_image(bytes);
  ASSERT_FALSE(made.refusal);
  std::vector<std::string> places;
  for (const ConfigurationFile& f : made.files)
    places.push_back(f.place);
  EXPECT_EQ(places, (std::vector<std::string>{std::string(kDmxDefaultFile), test::native("bin/bank.bin")}));
  compiler.Compile_Image_Bytes(std::nullopt, made.files[0].bytes);
  EXPECT_TRUE(test::same_bytes(as_text(compiler.image()), bytes));
}

struct Unsound {
  const char* name;
  std::function<void(const std::string& path)> make;
  int status;
  std::string err; // found in the error output
};

void write(const std::string& path, const std::string& bytes) { test::write_file(path, bytes); }

class ImportUnsound : public testing::TestWithParam<Unsound> {};

TEST_P(ImportUnsound, IsRefusedWithNothingWritten) {
  test::TempDir dir;
  stdfs::create_directories(test::fs_path(dir.file("PROJECTS")));
  const std::string path = dir.file("image.bin");
  GetParam().make(path);
  auto r = test::run_cli(dir.path(), {"import-image", path, "Line 1"});
  EXPECT_EQ(r.status, GetParam().status);
  EXPECT_NE(r.err.find(GetParam().err), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(entries(dir.file("PROJECTS")).empty());
}

std::vector<Unsound> unsound_cases() {
  std::vector<Unsound> cases{
      Unsound{"short", [](auto& p) { write(p, golden_image().substr(0, 2559)); }, 1,
              "The image has 2559 bytes; a parameter image has 2560"},
      Unsound{"long", [](auto& p) { write(p, golden_image() + '\0'); }, 1, "The image has 2561 bytes"},
      Unsound{"empty", [](auto& p) { write(p, ""); }, 1, "The image has 0 bytes"},
      Unsound{"bad_checksum",
              [](auto& p) {
                std::string img = golden_image();
                img[40] = static_cast<char>(img[40] + 1);
                write(p, img);
              },
              1, "checksum 0x00"},
      Unsound{"fixed_field", [](auto& p) { write(p, changed(golden_image(), 0, 0x49)); }, 1,
              "differs at offset 0x000 (fixed_0x000)"},
      Unsound{"fixed_run", [](auto& p) { write(p, changed(golden_image(), 145, 1)); }, 1,
              "differs at offset 0x091 (fixed_0x084[3])"},
      Unsound{"gap", [](auto& p) { write(p, changed(golden_image(), 1860, 1)); }, 1,
              "differs at offset 0x744 (gap)"},
      Unsound{"parity_no_choice", [](auto& p) { write(p, changed(golden_image(), 424, 5)); }, 1,
              "differs at offset 0x1A8 (parity)"},
      Unsound{"one_stop_bit_coded_1", [](auto& p) { write(p, changed(golden_image(), 430, 1)); }, 1,
              "differs at offset 0x1AE (stop_bits)"},
      Unsound{"both_dmx_directions", [](auto& p) { write(p, changed(golden_image(), 478, 1)); }, 1,
              "differs at offset 0x1DE (dmx_output_channels)"},
      Unsound{"folder", [](auto& p) { stdfs::create_directories(test::fs_path(p)); }, 2, "image.bin"},
      Unsound{"missing", [](auto&) {}, 2, "image.bin"}};
#ifndef _WIN32
  cases.push_back(Unsound{"fifo", [](auto& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, 2, "image.bin"});
#endif
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportUnsound, testing::ValuesIn(unsound_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportImage, NamesFollowTheNewConfigurationRules) {
  test::TempDir dir;
  const std::string projects = dir.file("elsewhere");
  stdfs::create_directories(test::fs_path(dir.file("elsewhere/Taken")));
  const std::pair<std::string, std::string> cases[] = {
      {"Taken", "Error! Name project is not valid because directory already exists"},
      {"", "Error! Name Project is not valid"},
      {"../Out", "Error! Name project is not valid"}};
  for (const auto& [name, message] : cases) {
    auto r = test::run_cli(dir.path(), {"import-image", kGolden + "/bank.bin", name, "--projects", projects});
    EXPECT_EQ(r.status, 3) << name;
    EXPECT_EQ(r.err, "loomwork-cli import-image: " + message + "\n") << name;
  }
  EXPECT_EQ(entries(projects), std::vector<std::string>{"Taken"});
  EXPECT_TRUE(entries(dir.file("elsewhere/Taken")).empty());
}

} // namespace
} // namespace lw
