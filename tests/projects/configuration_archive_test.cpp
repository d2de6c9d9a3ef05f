#include "cli_run.h"
#include "core/limits.h"
#include "folder_tree.h"
#include "program_folder.h"
#include "sound_image.h"
#include "temp_dir.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

using test::run_cli;

const std::string kGolden = LOOMWORK_FIXTURES "/golden/";

// An entry of a zip made here, as hostile as a case needs.
struct RawEntry {
  std::string name;
  std::string bytes;
  unsigned type = AE_IFREG;
  std::string link = {}; // a symbolic link's target
};

std::string zip_of(const std::vector<RawEntry>& entries) {
  std::string out;
  std::unique_ptr<archive, int (*)(archive*)> a(archive_write_new(), archive_write_free);
  archive_write_set_format_zip(a.get());
  // The fastest deflate: the oversized cases are mostly zeros.
  archive_write_set_options(a.get(), "zip:compression-level=1");
  archive_write_open2(
      a.get(), &out, nullptr,
      [](archive*, void* o, const void* b, std::size_t n) {
        static_cast<std::string*>(o)->append(static_cast<const char*>(b), n);
        return static_cast<la_ssize_t>(n);
      },
      nullptr, nullptr);
  for (const RawEntry& e : entries) {
    std::unique_ptr<archive_entry, void (*)(archive_entry*)> entry(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname(entry.get(), e.name.c_str());
    archive_entry_set_filetype(entry.get(), e.type);
    archive_entry_set_perm(entry.get(), 0644);
    if (!e.link.empty()) archive_entry_set_symlink(entry.get(), e.link.c_str());
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(e.bytes.size()));
    EXPECT_EQ(archive_write_header(a.get(), entry.get()), ARCHIVE_OK) << archive_error_string(a.get());
    if (!e.bytes.empty()) archive_write_data(a.get(), e.bytes.data(), e.bytes.size());
  }
  archive_write_close(a.get());
  return out;
}

// Gives every entry of a zip the Unix mode `mode` in its central directory,
// where the writer would refuse a device outright.
std::string with_mode(std::string zip, unsigned mode) {
  const std::string signature("PK\x01\x02", 4);
  constexpr std::size_t kModeOffset = 40; // the high half of the external attributes
  for (std::size_t at = zip.find(signature); at != std::string::npos; at = zip.find(signature, at + 1)) {
    zip[at + kModeOffset] = static_cast<char>(mode & 0xFF);
    zip[at + kModeOffset + 1] = static_cast<char>(mode >> 8);
  }
  return zip;
}

// A zip whose names hold backslashes where they hold '|': libarchive on
// Windows writes backslashes as '/', so they go in after it.
std::string with_backslashes(std::initializer_list<const char*> names) {
  std::vector<RawEntry> entries;
  for (const char* name : names)
    entries.push_back({name, "x"});
  std::string zip = zip_of(entries);
  std::replace(zip.begin(), zip.end(), '|', '\\');
  return zip;
}

class ConfigurationArchive : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    stdfs::create_directories(test::fs_path(conf + "/bin/sent"));
    for (const char* file : {"ParGen.xml", "DMX_Default_Values.xml"})
      stdfs::copy_file(test::fs_path(kGolden + file), test::fs_path(conf + "/" + file));
    stdfs::copy_file(test::fs_path(kGolden + "bank.bin"), test::fs_path(conf + "/bin/bank.bin"));
    test::write_file(conf + "/update-log.csv", "time,address,outcome\r\n2026-12-11T01:02:03+01:00,x,ok\r\n");
    test::write_file(conf + "/bin/last-sent.bin",
                     test::with_checksum(std::string("\0\xFF\r\n\x1A", 5) + std::string(2555, 'x')));
    test::write_file(conf + "/bin/sent/bank-20261211-010203.bin", test::sound_image('\x7F'));
  }

  // What PROJECTS lists, hidden folders too.
  std::vector<std::string> projects() const {
    std::vector<std::string> names;
    for (const auto& [place, bytes] : test::tree(dir.file("PROJECTS")))
      names.push_back(place);
    return names;
  }

  std::string conf = dir.file("PROJECTS/Line 3");
  std::string zip = dir.file("Line 3.zip");
};

TEST_F(ConfigurationArchive, ExportThenImportGivesTheSameFilesThatCompileAlike) {
  // Not the configuration's: stays out of the zip.
  test::write_file(conf + "/notes.txt", "mine");
  auto exported = run_cli(dir.path(), {"export", conf, "-o", zip});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out, zip + "\n");
  auto imported = run_cli(dir.path(), {"import", zip, "--name", "Line 4"});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, dir.file("PROJECTS/Line 4") + "\n");
  auto expected = test::tree(conf);
  expected.erase("notes.txt");
  EXPECT_EQ(test::tree(dir.file("PROJECTS/Line 4")), expected);
  // Opened by the program, it makes the image it was exported with.
  auto compiled = run_cli(dir.path(), {"compile", dir.file("PROJECTS/Line 4"), "-o", dir.file("out.bin")});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_EQ(test::read_file(dir.file("out.bin")), test::read_file(kGolden + "bank.bin"));
}

// The tests run in the "C" locale, as a companion started from a bare shell
// does: names beyond ASCII still go in and come out as they are.
TEST_F(ConfigurationArchive, NamesBeyondAsciiComeBackWhateverTheLocale) {
  const std::string name = "B\xC3\xBChne S\xC3\xBC\x64 \xE2\x84\x96"; // "Bühne Süd №"
  ASSERT_EQ(run_cli(dir.path(), {"duplicate", conf, name}).status, 0);
  const std::string moved = dir.file("PROJECTS/" + name);
  const std::string sent = test::sound_image('s');
  test::write_file(moved + "/bin/sent/bank-\xC3\xA9t\xC3\xA9.bin", sent);
  auto exported = run_cli(dir.path(), {"export", moved, "-o", dir.file(name + ".zip")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  stdfs::remove_all(test::fs_path(moved));
  auto imported = run_cli(dir.path(), {"import", dir.file(name + ".zip")});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, moved + "\n");
  EXPECT_EQ(test::read_file(moved + "/bin/sent/bank-\xC3\xA9t\xC3\xA9.bin"), sent);
}

// A backup is only one if it can be brought back: export refuses what
// import would.
TEST_F(ConfigurationArchive, ExportRefusesAConfigurationImportWouldRefuse) {
  for (std::size_t i = 0; i < kMaxArchiveEntries; ++i)
    test::write_file(conf + "/bin/sent/bank-" + std::to_string(i) + ".bin", "");
  auto r = run_cli(dir.path(), {"export", conf, "-o", zip});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("more than the 10000 an import takes"), std::string::npos) << r.err;
  EXPECT_FALSE(stdfs::exists(test::fs_path(zip)));
}

TEST_F(ConfigurationArchive, ATakenNameIsRefusedUntilAnotherIsGiven) {
  ASSERT_EQ(run_cli(dir.path(), {"export", conf, "-o", zip}).status, 0);
  auto before = projects();
  auto taken = run_cli(dir.path(), {"import", zip});
  EXPECT_EQ(taken.status, 3);
  EXPECT_EQ(taken.err, "loomwork-cli import: Error! Name project is not valid because directory already "
                       "exists (give another with --name)\n");
  auto refused = run_cli(dir.path(), {"import", zip, "--name", "../Line 4"});
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(projects(), before);
  // Its own name, once free again, is taken by default.
  stdfs::remove_all(test::fs_path(conf));
  auto own = run_cli(dir.path(), {"import", zip});
  ASSERT_EQ(own.status, 0) << own.err;
  EXPECT_EQ(own.out, conf + "\n");
  EXPECT_EQ(projects(), before);
}

TEST_F(ConfigurationArchive, ExportRefusesWhatItCantReadOrMustNotWrite) {
  auto none = run_cli(dir.path(), {"export", dir.file("LANGUAGE"), "-o", zip});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("no configuration there"), std::string::npos) << none.err;
  auto own = run_cli(dir.path(), {"export", conf, "-o", conf + "/ParGen.xml"});
  EXPECT_EQ(own.status, 1);
  auto no_folder = run_cli(dir.path(), {"export", conf, "-o", dir.file("none/x.zip")});
  EXPECT_EQ(no_folder.status, 1);
  EXPECT_FALSE(stdfs::exists(test::fs_path(zip)));
}

// The record is refused by name where something other than a file stands in
// its place: a backup that quietly left the log out would lose it.
TEST_F(ConfigurationArchive, ExportRefusesTheRecordWhereNoFileStands) {
  auto refused = [&](const std::string& place) {
    auto r = run_cli(dir.path(), {"export", conf, "-o", zip});
    EXPECT_EQ(r.status, 2) << place;
    EXPECT_NE(r.err.find(place.substr(place.rfind('/') + 1)), std::string::npos) << r.err;
    EXPECT_FALSE(stdfs::exists(test::fs_path(zip))) << place;
  };
  // A folder inside bin/sent is the user's own and stays out, as the user's
  // other files do; in the place of the log or the last image it is refused.
  for (const std::string place : {"update-log.csv", "bin/last-sent.bin"}) {
    const std::string path = conf + "/" + place;
    stdfs::remove(path);
    stdfs::create_directories(path);
    refused(place);
    stdfs::remove(path);
  }
#ifndef _WIN32 // Windows has no named pipes in its file system
  for (const std::string place : {"update-log.csv", "bin/last-sent.bin", "bin/sent/bank-1.bin"}) {
    const std::string path = conf + "/" + place;
    stdfs::create_directories(conf + "/bin/sent");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    refused(place);
    stdfs::remove(path);
  }
#endif
}

// Each case's file is made when it runs: the oversized ones would otherwise
// sit in the memory of every test.
struct HostileCase {
  const char* name;
  std::string (*file)(); // nullptr: a folder stands in the zip's place
  std::string said;      // in the refusal, beside the file's path
};

std::string zip_of_images(std::size_t count) {
  std::vector<RawEntry> entries{{"Line 9/", "", AE_IFDIR}};
  for (std::size_t i = 0; entries.size() <= count; ++i)
    entries.push_back({"Line 9/bin/sent/bank-" + std::to_string(i) + ".bin", "x"});
  return zip_of(entries);
}

std::string zip_of_zeros(std::initializer_list<const char*> names, std::size_t each) {
  std::vector<RawEntry> entries;
  for (const char* name : names)
    entries.push_back({name, std::string(each, '\0')});
  return zip_of(entries);
}

std::string whole_zip() { return zip_of({{"Line 9/ParGen.xml", std::string(4000, 'p')}}); }

class HostileArchive : public ConfigurationArchive, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchive, IsRefusedWholeAndWritesNothing) {
  const HostileCase& c = GetParam();
  std::string path = dir.file("in.zip");
  if (c.file == nullptr)
    stdfs::create_directories(test::fs_path(path));
  else
    test::write_file(path, c.file());
  auto before = projects();
  auto r = run_cli(dir.path(), {"import", path, "--name", "Line 9"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
  EXPECT_EQ(projects(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileArchive,
    testing::Values(
        HostileCase{"absolute",
                    [] {
                      return zip_of({{"/tmp/Line 9/ParGen.xml", "x"}});
                    },
                    "\"/tmp/Line 9/ParGen.xml\" has an absolute path"},
        HostileCase{"drive",
                    [] {
                      return zip_of({{"C:/Line 9/ParGen.xml", "x"}});
                    },
                    "names a drive"},
        // A name with backslashes alone is read with them as separators, as
        // Windows' own zips write them, and then checked as any other.
        HostileCase{"backslash", [] { return with_backslashes({"Line 9/bin|bank.bin"}); },
                    "holds a backslash"},
        HostileCase{"backslashes_out", [] { return with_backslashes({"..|..|ParGen.xml"}); }, "leads out"},
        HostileCase{"dot_dot",
                    [] {
                      return zip_of({{"Line 9/../../ParGen.xml", "x"}});
                    },
                    "leads out"},
        HostileCase{"symlink",
                    [] {
                      return zip_of({{"Line 9/ParGen.xml", "", AE_IFLNK, "/etc/passwd"}});
                    },
                    "is a symbolic link"},
        HostileCase{"device", [] { return with_mode(whole_zip(), 0020644); }, "neither a file nor a folder"},
        HostileCase{"twice",
                    [] {
                      return zip_of({{"Line 9/ParGen.xml", "a"}, {"Line 9/PARGEN.XML", "b"}});
                    },
                    "twice"},
        HostileCase{"not_portable",
                    [] {
                      return zip_of({{"Line 9/bin/sent/CON.bin", "x"}});
                    },
                    "not a file of a configuration"},
        HostileCase{"not_its_own",
                    [] {
                      return zip_of({{"Line 9/notes.txt", "x"}});
                    },
                    "not a file of a configuration"},
        HostileCase{"two_folders",
                    [] {
                      return zip_of({{"Line 9/ParGen.xml", "x"}, {"Other/ParGen.xml", "x"}});
                    },
                    "outside"},
        HostileCase{"too_many", [] { return zip_of_images(kMaxArchiveEntries + 1); },
                    "more than 10000 entries"},
        HostileCase{"entry_too_large",
                    [] { return zip_of_zeros({"Line 9/update-log.csv"}, kMaxArchiveEntryBytes + 1); },
                    "unpacks to more than"},
        HostileCase{"total_too_large",
                    [] {
                      return zip_of_zeros(
                          {"Line 9/update-log.csv", "Line 9/DMX_Default_Values.xml", "Line 9/ParGen.xml"},
                          kMaxArchiveBytes / 2);
                    },
                    "takes the archive past"},
        HostileCase{"not_a_zip", [] { return std::string("ParGen.xml,not,a,zip\n"); }, "not a zip"},
        HostileCase{"truncated", [] { return whole_zip().substr(0, 60); }, "not a zip"},
        HostileCase{"empty", [] { return zip_of({}); }, "not a zip"},
        HostileCase{"folder", nullptr, "Cannot read"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw
