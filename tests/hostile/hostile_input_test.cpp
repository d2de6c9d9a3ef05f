// Files no engineer should have, made here at run time: none may crash the
// program, hold it up or make it use memory out of proportion.
#include "core/limits.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "languages/language_file.h"
#include "options/settings_file.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "program_folder.h"
#include "window_logic/startup.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace lw {
namespace {

// A file of that size without writing it: the readers must refuse it by size.
void sparse_file(const std::string& path, std::size_t size) {
  int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
  ::close(fd);
}

std::string nested(int depth) {
  std::string s;
  s.reserve(static_cast<std::size_t>(depth) * 7);
  for (int i = 0; i < depth; ++i)
    s += "<a>";
  for (int i = 0; i < depth; ++i)
    s += "</a>";
  return s;
}

std::string garbage(std::size_t size) {
  std::mt19937 random(40873);
  std::string s(size, '\0');
  for (auto& c : s)
    c = static_cast<char>(random());
  return s;
}

void expect_limit_error(const std::function<void()>& read, const std::string& file) {
  try {
    read();
    FAIL() << "expected the limit to be reported";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("larger than the limit of"), std::string::npos) << e.what();
  }
}

// Files are laid in before anything reads them, the start-up included.
class Hostile : public testing::Test, public test::ProgramFolder {
protected:
  Hostile() : ProgramFolder(Start::later) {}
  std::string par_gen = dir.file("ParGen.xml");
  std::string dmx = dir.file("DMX_Default_Values.xml");
};

TEST_F(Hostile, HugeParameterFileIsRefusedByItsSize) {
  sparse_file(par_gen, 200u << 20);
  expect_limit_error([&] { Load_Par_Gen(par_gen); }, par_gen);
  expect_limit_error([&] { dmx_channel_count(par_gen); }, par_gen);
  image::ImageCompiler compiler;
  expect_limit_error([&] { compiler.Compile_Image(par_gen, dmx); }, par_gen);
}

TEST_F(Hostile, MillionRowDmxFileIsRefusedByItsSize) {
  std::string rows = "<DMX_Default_Values>";
  rows.reserve(40u << 20);
  for (int i = 0; i < 1000000; ++i)
    rows += "<Row Default_Value=\"1\" Mnemonic=\"\"/>";
  rows += "</DMX_Default_Values>";
  test::write_file(dmx, rows);
  expect_limit_error([&] { Load_DMX_Defaults(dmx, 512); }, dmx);
  image::ImageCompiler compiler;
  expect_limit_error([&] { compiler.Compile_Image(par_gen, dmx); }, dmx);
}

TEST_F(Hostile, LargestAcceptedDmxFileIsRead) {
  // Every channel the program can have, each with a long mnemonic, just
  // under the size limit.
  const std::string row = "<Row Default_Value=\"7\" Mnemonic=\"" + std::string(200, 'm') + "\"/>";
  std::string rows = "<DMX_Default_Values>";
  for (int channel = 0; channel < kMaxDmxChannels; ++channel)
    rows += row;
  rows += "</DMX_Default_Values>";
  ASSERT_LT(rows.size(), kMaxDmxDefaultBytes);
  ASSERT_GT(rows.size(), kMaxDmxDefaultBytes * 9 / 10);
  test::write_file(dmx, rows);
  auto table = Load_DMX_Defaults(dmx, kMaxDmxChannels);
  ASSERT_EQ(table.size(), 65535u);
  EXPECT_EQ(table[65534].Default_Value, "7");
  EXPECT_EQ(table[65534].Mnemonic, std::string(200, 'm'));
}

TEST_F(Hostile, DeeplyNestedXmlIsHandledByEveryReader) {
  std::string deep = nested(70000); // 280000 pieces of markup: just within the bound
  for (const auto& path : {par_gen, dmx, dir.file("Loomwork.xml")})
    test::write_file(path, deep);
  EXPECT_EQ(Load_Par_Gen(par_gen), Par_Gen_Set());
  auto rows = Load_DMX_Defaults(dmx, 24);
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_EQ(rows[0], (DMX_Def_Row{"", ""})); // an element without attributes
  image::ImageCompiler compiler;
  compiler.Compile_Image(par_gen, dmx);
  EXPECT_EQ(compiler.Image_Size, 2560);
  SettingsReading read = read_settings_file(dir.file("Loomwork.xml"));
  EXPECT_EQ(read.problem, std::nullopt);
  EXPECT_EQ(read.settings.Language_Name, "English");
}

TEST_F(Hostile, BinaryGarbageWithAnXmlNameIsAParseError) {
  for (const auto& path : {par_gen, dmx})
    test::write_file(path, garbage(64 * 1024));
  EXPECT_THROW(Load_Par_Gen(par_gen), FileError);
  EXPECT_THROW(Load_DMX_Defaults(dmx, 512), FileError);
  image::ImageCompiler compiler;
  EXPECT_THROW(compiler.Compile_Image(par_gen, dmx), FileError);
  test::write_file(dir.file("Loomwork.xml"), garbage(4096));
  EXPECT_EQ(read_settings_file(dir.file("Loomwork.xml")).settings.Last_IP_Address, "192.168.2.205");
}

TEST_F(Hostile, HugeSettingsFileStartsWithDefaultsAndSaysWhy) {
  sparse_file(dir.file("Loomwork.xml"), 50u << 20);
  Started started = Run_Startup(folders, timer);
  const auto& problems = started.problems;
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("Loomwork.xml"), std::string::npos);
  EXPECT_NE(problems[0].find("1 MiB"), std::string::npos) << problems[0];
  EXPECT_EQ(started.settings.Language_Name, "English");
}

TEST_F(Hostile, HugeOrOneLineLanguageFilesLeaveEnglish) {
  sparse_file(dir.file("Huge.lng"), 50u << 20);
  auto problem = Load_Language(catalogue, dir.path(), "Huge");
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("Huge.lng"), std::string::npos);
  EXPECT_NE(problem->find("4 MiB"), std::string::npos);
  EXPECT_EQ(catalogue.text(0), "Begin");
  EXPECT_EQ(catalogue.Language_Version, "NO VER.");

  test::write_file(dir.file("Line.lng"), "STR0 = " + std::string(10u << 20, 'x'));
  EXPECT_TRUE(Load_Language(catalogue, dir.path(), "Line").has_value());
  EXPECT_EQ(catalogue.text(0), "Begin");

  // Just under the limit, one long line is read, cut to the entry cap and named.
  test::write_file(dir.file("Long.lng"), "STR0 = " + std::string(kMaxLanguageBytes - 100, 'y'));
  auto cut = Load_Language(catalogue, dir.path(), "Long");
  ASSERT_TRUE(cut.has_value());
  EXPECT_NE(cut->find("STR0"), std::string::npos) << *cut;
  EXPECT_EQ(catalogue.text(0), std::string(kMaxEntryChars, 'y'));
}

TEST_F(Hostile, GarbageLanguageFileIsReadWithoutHarm) {
  test::write_file(dir.file("Noise.lng"), garbage(1u << 20));
  EXPECT_EQ(Load_Language(catalogue, dir.path(), "Noise"), std::nullopt);
  EXPECT_EQ(catalogue.Text_Table.Count(), 1500);
}

} // namespace
} // namespace lw
