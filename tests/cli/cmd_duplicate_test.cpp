#include "cli_run.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

struct DuplicateCase {
  const char* name;
  std::string new_name;
  int status;
  std::string err; // after "loomwork-cli duplicate: "
};

class CliDuplicate : public testing::TestWithParam<DuplicateCase> {};

TEST_P(CliDuplicate, NamesFollowTheNewConfigurationRules) {
  test::TempDir dir;
  stdfs::create_directories(dir.file("PROJECTS/Line 1/bin"));
  stdfs::create_directories(dir.file("PROJECTS/Taken"));
  test::write_file(dir.file("PROJECTS/Line 1/ParGen.xml"), "<Par_Gen/>");
  test::write_file(dir.file("PROJECTS/Line 1/bin/bank.bin"), std::string(2560, '\x5A'));
  auto r = test::run_cli(dir.path(), {"duplicate", dir.file("PROJECTS/Line 1"), GetParam().new_name});
  EXPECT_EQ(r.status, GetParam().status);
  std::size_t folders = 0;
  for ([[maybe_unused]] const auto& e : stdfs::directory_iterator(dir.file("PROJECTS")))
    ++folders;
  if (GetParam().status == 0) {
    EXPECT_EQ(r.out, dir.file("PROJECTS/" + GetParam().new_name) + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::read_file(dir.file("PROJECTS/" + GetParam().new_name + "/bin/bank.bin")),
              std::string(2560, '\x5A'));
    EXPECT_EQ(folders, 3u);
  } else {
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "loomwork-cli duplicate: " + GetParam().err + "\n");
    EXPECT_EQ(folders, 2u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliDuplicate,
    testing::Values(DuplicateCase{"copied", "Line 2", 0, ""},
                    DuplicateCase{"empty", "", 3, "Error! Name Project is not valid"},
                    DuplicateCase{"exists", "Taken", 3,
                                  "Error! Name project is not valid because directory already exists"},
                    DuplicateCase{"leads_out", "../Line 2", 3, "Error! Name project is not valid"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliDuplicateFailures, UnreadableSourceAndNoFolder) {
  test::TempDir dir;
  stdfs::create_directories(dir.file("PROJECTS/Line 1/DMX_Default_Values.xml"));
  auto unreadable = test::run_cli(dir.path(), {"duplicate", dir.file("PROJECTS/Line 1"), "Line 2"});
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_NE(unreadable.err.find("DMX_Default_Values.xml"), std::string::npos) << unreadable.err;
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/Line 2")));
  auto missing = test::run_cli(dir.path(), {"duplicate", dir.file("PROJECTS/None"), "Line 2"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "loomwork-cli duplicate: " + dir.file("PROJECTS/None") + " is not a folder\n");
  stdfs::create_directories(dir.file("LANGUAGE"));
  auto other = test::run_cli(dir.path(), {"duplicate", dir.file("LANGUAGE"), "Line 2"});
  EXPECT_EQ(other.status, 2);
  EXPECT_NE(other.err.find("no configuration there"), std::string::npos) << other.err;
  EXPECT_FALSE(stdfs::exists(dir.file("Line 2")));
}

} // namespace
} // namespace lw
