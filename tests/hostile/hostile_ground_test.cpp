// Ground a hostile tester prepares: special files where files belong, broken
// or unreadable settings, giant entries, writes killed halfway, odd targets.
#include "cli_run.h"
#include "core/catalogue.h"
#include "core/identity.h"
#include "core/limits.h"
#include "core/program_folders.h"
#include "core/text_table.h"
#include "fakes.h"
#include "formats/errors.h"
#include "languages/language_file.h"
#include "options/settings_file.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "temp_dir.h"
#include "window_logic/startup.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lw {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

#ifdef _WIN32
// Windows' file system holds no pipes, devices or modes; what these tests
// guard against can't be set up there.
constexpr const char* kNoPipes = "Windows has no named pipes in its file system";
constexpr const char* kNoLinks = "links in Windows' file system need the administrator's rights";
#else
void make_fifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path; }
#endif

// What a reader said of the file in its place: its FileError text, or the
// problem it returned.
struct FifoReader {
  const char* name;
  const char* file; // the file's name inside the program folder
  std::function<std::string(const std::string& app_dir, const std::string& fifo)> read;
};

std::string thrown(const std::function<void()>& call) {
  try {
    call();
  } catch (const FileError& e) {
    return e.what();
  }
  return "(no error)";
}

class FifoInPlaceOfAFile : public testing::TestWithParam<FifoReader> {};

// Each reader must come back with a message naming the file; one that blocks
// in open() is released by opening the pipe's other end, then fails here.
TEST_P(FifoInPlaceOfAFile, IsRefusedWithoutWaiting) {
#ifdef _WIN32
  GTEST_SKIP() << kNoPipes;
#else
  TempDir dir;
  std::filesystem::create_directories(dir.file("LANGUAGE"));
  std::filesystem::create_directories(dir.file("PROJECTS/Site"));
  const std::string fifo = dir.file(GetParam().file);
  make_fifo(fifo);
  auto result = std::async(std::launch::async, [&] { return GetParam().read(dir.path(), fifo); });
  if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    FAIL() << GetParam().name << " waited on the pipe";
  }
  std::string message = result.get();
  EXPECT_NE(message.find(fifo), std::string::npos) << message;
  EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Readers, FifoInPlaceOfAFile,
    testing::Values(FifoReader{"settings", "Loomwork.xml",
                               [](const std::string& app, const std::string&) {
                                 test::FakeTimer timer;
                                 auto problems = Run_Startup(program_folders(app), timer).problems;
                                 return problems.empty() ? std::string("(no warning)") : problems.front();
                               }},
                    FifoReader{"communication parameters", "PROJECTS/Site/ParGen.xml",
                               [](const std::string&, const std::string& fifo) {
                                 return thrown([&] { (void)Load_Par_Gen(fifo); });
                               }},
                    FifoReader{"DMX default values", "PROJECTS/Site/DMX_Default_Values.xml",
                               [](const std::string&, const std::string& fifo) {
                                 return thrown([&] { (void)Load_DMX_Defaults(fifo, 512); });
                               }},
                    FifoReader{"language file", "LANGUAGE/English.lng",
                               [](const std::string&, const std::string& fifo) {
                                 TextTable table;
                                 table.Fill_English_Texts();
                                 std::string version;
                                 return Read_Language_File(fifo, table, version).value_or("(no problem)");
                               }},
                    FifoReader{"inspected image", "bank.bin",
                               [](const std::string& app, const std::string& fifo) {
                                 auto run = test::run_cli(app, {"inspect", fifo});
                                 EXPECT_EQ(run.status, 2);
                                 return run.err;
                               }}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

class UnusableSettings : public testing::Test {
protected:
  TempDir dir;
  const ProgramFolders folders = program_folders(dir.path());
  test::FakeTimer timer;
  std::string settings = dir.file("Loomwork.xml");

  std::vector<std::string> set_aside_files() const {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      if (entry.path().filename().string().starts_with("Loomwork.xml.unusable-"))
        out.push_back(entry.path().string());
    return out;
  }
};

TEST_F(UnusableSettings, MalformedFileIsMovedAsideWithTheParsersText) {
  const std::string broken = "<Conf_Settings><lastproj><projectname>Site</projectname></lastproj"
                             "</Conf_Settings>";
  write_file(settings, broken);
  Started started = Run_Startup(folders, timer);
  const auto& problems = started.problems;
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find(settings), std::string::npos) << problems[0];
  EXPECT_NE(problems[0].find("line 1"), std::string::npos) << problems[0];
  EXPECT_EQ(started.settings.Language_Name, "English");
  auto aside = set_aside_files();
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(read_file(aside[0]), broken);
  EXPECT_NE(problems[0].find(aside[0]), std::string::npos) << problems[0];
  // Closing writes the defaults to a new file; the user's file stays aside.
  Save_Setting(started.settings_file, started.settings);
  EXPECT_TRUE(std::filesystem::is_regular_file(settings));
  EXPECT_EQ(read_file(aside[0]), broken);
}

TEST_F(UnusableSettings, FileThatCannotBeMovedBlocksTheWriteAtClose) {
  // Nothing there to move: the move fails as one refused would.
  SettingsFile file = settings_file(folders.App_Dir);
  std::string warning = set_aside_unusable_settings(file, "Cannot open " + file.path + ": Permission denied");
  EXPECT_TRUE(file.Settings_Save_Blocked);
  EXPECT_NE(warning.find("will not be saved"), std::string::npos) << warning;
  Save_Setting(file, Settings{});
  EXPECT_FALSE(std::filesystem::exists(settings));
}

TEST_F(UnusableSettings, UnreadableFileIsNeverOverwritten) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no mode bit that keeps a file from being read";
#else
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads any file";
  write_file(settings, "<Conf_Settings/>");
  ::chmod(settings.c_str(), 0);
  auto problems = Run_Startup(folders, timer).problems;
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("Permission denied"), std::string::npos) << problems[0];
  ASSERT_EQ(set_aside_files().size(), 1u);
#endif
}

TEST_F(UnusableSettings, CommentAheadOfTheRootDoesNotHideIt) {
  write_file(settings, "<?xml-stylesheet href=\"x\"?><!-- kept by hand --><Conf_Settings><lastipadd>"
                       "<ipaddress>10.0.0.9</ipaddress></lastipadd></Conf_Settings>");
  Started started = Run_Startup(folders, timer);
  EXPECT_TRUE(started.problems.empty());
  EXPECT_TRUE(set_aside_files().empty());
  EXPECT_EQ(started.settings.Last_IP_Address, "10.0.0.9");
}

TEST(SettingsRoundTrip, CarriageReturnComesBackAsWritten) {
  TempDir dir;
  const SettingsFile file = settings_file(dir.path());
  Settings settings;
  settings.Last_Conf_Name = "Line\rTwo\r\nThree\tFour";
  Save_Setting(file, settings);
  const std::string first = read_file(dir.file("Loomwork.xml"));
  SettingsReading back = read_settings_file(dir.file("Loomwork.xml"));
  ASSERT_FALSE(back.problem);
  EXPECT_EQ(back.settings.Last_Conf_Name, settings.Last_Conf_Name);
  Save_Setting(file, back.settings);
  EXPECT_EQ(read_file(dir.file("Loomwork.xml")), first);
}

TEST(LanguageEntry, GiantTextIsCutAndNamed) {
  TempDir dir;
  std::string giant;
  for (int i = 0; i < 3000; ++i)
    giant += "\xC3\xA9"; // é: the cap counts characters, not bytes
  write_file(dir.file("Big.lng"), "\xEF\xBB\xBFSTR17 = " + giant + "\r\nSTR18 = " + giant + "\r\n");
  TextTable table;
  table.Fill_English_Texts();
  std::string version;
  auto problem = Read_Language_File(dir.file("Big.lng"), table, version);
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find(dir.file("Big.lng")), std::string::npos) << *problem;
  EXPECT_NE(problem->find("STR17"), std::string::npos) << *problem;
  EXPECT_EQ(table.Get(17), giant.substr(0, 2 * kMaxEntryChars));
  EXPECT_EQ(table.Get(18), giant.substr(0, 2 * kMaxEntryChars));
}

void age(const std::string& path, int seconds) {
  namespace stdfs = std::filesystem;
  stdfs::last_write_time(path, stdfs::file_time_type::clock::now() - std::chrono::seconds(seconds));
}

TEST(StaleTemporaries, OnlyOldOnesOfTheProgramsOwnPatternGoAtStart) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("PROJECTS/Site/bin"));
  struct Leftover {
    const char* path;
    int age_seconds;
    bool removed;
  };
  const Leftover leftovers[] = {
      {"Loomwork.xml.tmpAb12Cd", 3600, true},
      {"Ethernet_Update.xml.tmp0a1B2c", 3600, true},
      {"PROJECTS/Site/ParGen.xml.tmpZZ99zz", 3600, true},
      {"PROJECTS/Site/DMX_Default_Values.xml.tmpq1w2e3", 3600, true},
      {"PROJECTS/Site/bin/bank.bin.tmpXy7Uv8", 3600, true},
      {"Loomwork.xml.tmpYoung1", 0, false},         // another instance may be writing it
      {"Loomwork.xml.tmpTooLongName", 3600, false}, // not the pattern
      {"notes.txt.tmpAb12Cd", 3600, false},         // not a file of the program
      {"PROJECTS/Site/bin/firmware.tmpAb12Cd", 3600, false},
  };
  for (const auto& l : leftovers) {
    write_file(dir.file(l.path), "half");
    age(dir.file(l.path), l.age_seconds);
  }
  test::FakeTimer timer;
  (void)Run_Startup(program_folders(dir.path()), timer);
  for (const auto& l : leftovers)
    EXPECT_EQ(!std::filesystem::exists(dir.file(l.path)), l.removed) << l.path;
}

TEST(WriteTargets, SpecialFilesAreRefusedAndLeftInPlace) {
#ifdef _WIN32
  GTEST_SKIP() << kNoPipes;
#else
  TempDir dir;
  make_fifo(dir.file("pipe"));
  std::filesystem::create_symlink(dir.file("pipe"), dir.file("link-to-pipe"));
  for (const char* name : {"pipe", "link-to-pipe"}) {
    std::string error = thrown([&] { fs::atomic_save(dir.file(name), "bytes"); });
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << name << ": " << error;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(dir.file("pipe"))));
  EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(dir.file("link-to-pipe"))));

  std::filesystem::create_directories(dir.file("bin")); // a configuration, as a new one stands
  auto run = test::run_cli(dir.path(), {"compile", dir.path(), "-o", dir.file("pipe")});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(dir.file("pipe"))));
#endif
}

TEST(WriteTargets, LinkToAFileStaysALinkAndModesAreKept) {
#ifdef _WIN32
  GTEST_SKIP() << kNoLinks;
#else
  TempDir dir;
  write_file(dir.file("real.xml"), "old");
  ::chmod(dir.file("real.xml").c_str(), 0640);
  std::filesystem::create_symlink(dir.file("real.xml"), dir.file("link.xml"));
  fs::atomic_save(dir.file("link.xml"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(dir.file("link.xml"))));
  EXPECT_EQ(read_file(dir.file("real.xml")), "new");
  struct stat st {};
  ASSERT_EQ(::stat(dir.file("real.xml").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
#endif
}

TEST(WriteTargets, FileWithoutItsOwnersWriteBitIsRefused) {
  TempDir dir;
  write_file(dir.file("locked.xml"), "kept");
  std::filesystem::permissions(dir.file("locked.xml"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
  std::string error = thrown([&] { fs::atomic_save(dir.file("locked.xml"), "new"); });
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
  EXPECT_EQ(read_file(dir.file("locked.xml")), "kept");
}

} // namespace
} // namespace lw

namespace lw {
namespace {

// Millions of empty elements within the size limit would build a tree of
// hundreds of megabytes; the reader refuses them by count instead.
TEST(XmlMarkup, MillionsOfElementsAreRefusedUnparsed) {
  TempDir dir;
  const std::string path = dir.file("DMX_Default_Values.xml");
  std::string many = "<DMX_Default_Values>";
  many.reserve(kMaxDmxDefaultBytes);
  while (many.size() + 64 < kMaxDmxDefaultBytes)
    many += "<a/>";
  many += "</DMX_Default_Values>";
  write_file(path, many);
  std::string error = thrown([&] { (void)Load_DMX_Defaults(path, 512); });
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("pieces of markup"), std::string::npos) << error;
}

} // namespace
} // namespace lw

namespace lw {
namespace {

TEST(WriteTargets, LinkToNothingIsLeftALink) {
#ifdef _WIN32
  GTEST_SKIP() << kNoLinks;
#else
  TempDir dir;
  std::filesystem::create_symlink(dir.file("missing/x.bin"), dir.file("dangling.bin"));
  std::string error = thrown([&] { fs::atomic_save(dir.file("dangling.bin"), "bytes"); });
  EXPECT_NE(error.find("a link to a file that does not exist"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(dir.file("dangling.bin"))));
#endif
}

// A language name is a file in LANGUAGE, never a path to another folder.
TEST(LanguageName, WithAPathInItIsNeverRead) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("LANGUAGE"));
  std::filesystem::create_directories(dir.file("elsewhere"));
  write_file(dir.file("elsewhere/evil.lng"), "STR0 = Stolen\r\n");
  for (const std::string& name :
       std::vector<std::string>{"../elsewhere/evil", dir.file("elsewhere/evil"), "..\\elsewhere\\evil"}) {
    Catalogue catalogue;
    EXPECT_EQ(Load_Language(catalogue, dir.file("LANGUAGE"), name), std::nullopt) << name;
    EXPECT_EQ(catalogue.Texts_Language, "English") << name;
    EXPECT_EQ(catalogue.text(0), "Begin") << name;
    auto run = test::run_cli(dir.path(), {"texts", "--language", name});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_EQ(run.out.find("Stolen"), std::string::npos) << name;
  }
  auto unknown = test::run_cli(dir.path(), {"texts", "--language", "Klingon"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("no language Klingon"), std::string::npos) << unknown.err;
}

// A language Windows could not hold is no language on any system.
TEST(LanguageName, ANameWindowsCantHoldIsNeverRead) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("LANGUAGE"));
  write_file(dir.file("LANGUAGE/nul.lng"), "STR0 = Device\r\n");
  Catalogue catalogue;
  EXPECT_EQ(Load_Language(catalogue, dir.file("LANGUAGE"), "nul"), std::nullopt);
  EXPECT_EQ(catalogue.Texts_Language, "English");
  EXPECT_EQ(catalogue.text(0), "Begin");
}

} // namespace
} // namespace lw
