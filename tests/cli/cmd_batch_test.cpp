#include "cli_run.h"
#include "folder_tree.h"
#include "params/par_gen.h"
#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::run_cli;
using test::tree;

class CliBatchSite : public testing::Test {
protected:
  void SetUp() override {
    stdfs::create_directories(dir.file("PROJECTS/Template/bin"));
    stdfs::create_directories(dir.file("PROJECTS/Standing/bin"));
    Par_Gen_Set set;
    set.MODBUS_SLAVE_BAUDRATE = 4;
    Save_Par_Gen(dir.file("PROJECTS/Template/ParGen.xml"), set);
    test::write_file(dir.file("PROJECTS/Template/DMX_Default_Values.xml"),
                     "<DMX><Row Default_Value=\"17\" Mnemonic=\"a\"/><Row Default_Value=\"250\"/></DMX>");
    set.Ethernet_IP4 = "77";
    Save_Par_Gen(dir.file("PROJECTS/Standing/ParGen.xml"), set);
  }
  test::CliRun batch(const std::string& sheet, std::vector<std::string> options = {}) {
    test::write_file(dir.file("site.csv"), sheet);
    cli::Args args{"batch", dir.file("PROJECTS/Template"), dir.file("site.csv")};
    args.insert(args.end(), options.begin(), options.end());
    auto r = run_cli(dir.path(), args);
    // The folder made in, relative to the test's own.
    std::string absolute = dir.file("");
    for (auto at = r.out.find(absolute); at != std::string::npos; at = r.out.find(absolute))
      r.out.erase(at, absolute.size());
    return r;
  }
  // What compile makes of the folder, beside it rather than over its image.
  std::string compiled(const std::string& name) {
    auto r = run_cli(dir.path(), {"compile", dir.file("PROJECTS/" + name), "-o", dir.file("compiled.bin")});
    EXPECT_EQ(r.status, 0) << r.err;
    return test::read_file(dir.file("compiled.bin"));
  }
  std::vector<std::string> configurations() const {
    std::vector<std::string> names;
    for (const auto& e : stdfs::directory_iterator(dir.file("PROJECTS")))
      names.push_back(test::utf8(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir dir;
};

struct BatchCase {
  const char* name;
  std::string sheet;
  int status;
  std::vector<std::string> made; // beside Standing and Template
  std::string out;
};

class CliBatch : public CliBatchSite, public testing::WithParamInterface<BatchCase> {};

TEST_P(CliBatch, MakesEveryRowOrNothing) {
  auto before = tree(dir.file("PROJECTS"));
  auto r = batch(GetParam().sheet);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  EXPECT_EQ(r.out, GetParam().out);
  EXPECT_EQ(r.err, "");
  std::vector<std::string> expected = GetParam().made;
  expected.insert(expected.end(), {"Standing", "Template"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(configurations(), expected);
  if (GetParam().made.empty()) {
    EXPECT_EQ(tree(dir.file("PROJECTS")), before);
  }
  for (const std::string& name : GetParam().made) {
    auto made = tree(dir.file("PROJECTS/" + name));
    EXPECT_EQ(made.at("DMX_Default_Values.xml"), before.at("Template/DMX_Default_Values.xml"));
    EXPECT_EQ(made.at("bin/bank.bin"), compiled(name)) << name;
    EXPECT_EQ(made.size(), 4u) << name; // bin/, its image and the two files
  }
}

const std::string kHeader = "Name,IP,Mask,Gateway,ModbusID,Channels\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBatch,
    testing::Values(
        BatchCase{"good",
                  kHeader + "A 1,10.0.0.2,255.255.255.0,10.0.0.1,5,24\nA 2,10.0.0.3,255.255.255.0,,5,512\n",
                  0,
                  {"A 1", "A 2"},
                  "row 2: A 1: created\nrow 3: A 2: created\n"
                  "2 configurations made in PROJECTS\n"},
        BatchCase{"clashing_addresses_warn_and_are_made",
                  kHeader + "A,192.168.0.77,255.255.255.0,,5,24\nB,10.0.0.255,255.255.255.0,10.9.0.1,5,24\n",
                  0,
                  {"A", "B"},
                  "row 2: A: created\nrow 3: B: created\n"
                  "note: B: IP address 10.0.0.255 is the broadcast address of subnet 10.0.0.0/255.255.255.0\n"
                  "note: B: gateway 10.9.0.1 is outside subnet 10.0.0.0/255.255.255.0\n"
                  "note: A, Standing: the same IP address 192.168.0.77\n"
                  "2 configurations made in PROJECTS\n"},
        BatchCase{"semicolons",
                  "Name;IP\r\nA;10.0.0.2\r\nB;10.0.0.3\r\n",
                  0,
                  {"A", "B"},
                  "row 2: A: created\nrow 3: B: created\n2 configurations made in PROJECTS\n"},
        BatchCase{"missing_optional_columns",
                  "Name\nA\n",
                  0,
                  {"A"},
                  "row 2: A: created\nnote: A, Template: the same IP address 192.168.0.5\n"
                  "1 configuration made in PROJECTS\n"},
        BatchCase{"a_bad_row_among_good",
                  kHeader + "A,10.0.0.2,255.255.255.0,,5,24\nB,10.0.0.3,255.255.255.0,,5,600\n"
                            "C,10.0.0.4,255.255.255.0,,5,24\n",
                  3,
                  {},
                  "row 2: A: ok\n"
                  "row 3: B: Error DMX!! Channel Number must be between 24 and 512\n"
                  "row 4: C: ok\n"
                  "nothing written: 1 row refused\n"},
        BatchCase{"duplicate_names",
                  "Name,IP\nA,10.0.0.2\nStanding,10.0.0.3\nA,10.0.0.4\n",
                  3,
                  {},
                  "row 2: A: ok\n"
                  "row 3: Standing: Error! Name project is not valid because directory already exists\n"
                  "row 4: A: the name is given twice (first in row 2)\n"
                  "nothing written: 2 rows refused\n"},
        BatchCase{"unknown_columns",
                  "Name,Adress\nA,10.0.0.2\n",
                  3,
                  {},
                  "row 1: unknown column 'Adress'\nrow 2: A: ok\nnothing written: 1 row refused\n"},
        BatchCase{"empty", "", 3, {}, "row 1: no Name column\nnothing written: 1 row refused\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliBatchSite, ADryRunSaysWhatWouldBeMadeAndWritesNothing) {
  auto before = tree(dir.file("PROJECTS"));
  auto r = batch("Name,IP\nStanding,10.0.0.2\nNew,10.0.0.2\n", {"--dry-run", "--replace"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "row 2: Standing: would be replaced\nrow 3: New: would be created\n"
                   "note: New, Standing: the same IP address 10.0.0.2\n"
                   "2 configurations would be made in PROJECTS, 1 of them in place of one by that name\n"
                   "nothing written (dry run)\n");
  EXPECT_EQ(tree(dir.file("PROJECTS")), before);
}

TEST_F(CliBatchSite, AnExportedSheetBroughtBackGivesTheSameFolders) {
  ASSERT_EQ(batch("Name,IP,Gateway,MODBUS_SLAVE_PARITY\nA,10.0.0.2,10.0.0.1,EVEN\nB;2,10.0.0.3,,0\n").status,
            0);
  // Standing came from elsewhere: it keeps no image the template would give.
  // The template itself is in the sheet too, and comes back as compiled.
  stdfs::remove_all(dir.file("PROJECTS/Standing"));
  ASSERT_EQ(run_cli(dir.path(), {"compile", dir.file("PROJECTS/Template")}).status, 0);
  auto before = tree(dir.file("PROJECTS"));
  auto exported = run_cli(dir.path(), {"sheet"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out.substr(0, exported.out.find('\r')),
            "Name,IP,Mask,Gateway,ModbusID,Channels,DMX_DMX,DMX_END_LINE_RES,MODBUS_SLAVE_SERIAL,"
            "MODBUS_SLAVE_BAUDRATE,MODBUS_SLAVE_PARITY,MODBUS_SLAVE_STOPBITS,MODBUS_SLAVE_DMX_MAP");
  auto r = batch(exported.out, {"--replace"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(tree(dir.file("PROJECTS")), before);
  auto written = run_cli(dir.path(), {"sheet", dir.file("PROJECTS"), "-o", dir.file("again.csv")});
  EXPECT_EQ(written.out, dir.file("again.csv") + "\n");
  EXPECT_EQ(test::read_file(dir.file("again.csv")), exported.out);
}

// The companion itself writes its output byte for byte as the commands make
// it: the sheet's "\r\n" stays "\r\n" on every system.
TEST_F(CliBatchSite, TheCompanionWritesItsOutputUnchanged) {
  std::string command = "\"" + std::string(LOOMWORK_CLI) + "\" sheet \"" + dir.file("PROJECTS") + "\" > \"" +
                        dir.file("sheet.csv") + "\"";
#ifdef _WIN32
  // cmd.exe drops the first and the last quote of what it is given.
  command = "\"" + command + "\"";
#endif
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  auto in_process = run_cli(dir.path(), {"sheet", dir.file("PROJECTS")});
  ASSERT_NE(in_process.out.find("\r\n"), std::string::npos);
  EXPECT_EQ(test::read_file(dir.file("sheet.csv")), in_process.out);
}

TEST_F(CliBatchSite, WhatCantBeReadIsSaidWithItsOwnStatus) {
  auto no_sheet = run_cli(dir.path(), {"batch", dir.file("PROJECTS/Template"), dir.file("none.csv")});
  EXPECT_EQ(no_sheet.status, 2);
  EXPECT_NE(no_sheet.err.find("none.csv"), std::string::npos) << no_sheet.err;
  auto open_quote = batch("Name\n\"A\n");
  EXPECT_EQ(open_quote.status, 2);
  EXPECT_NE(open_quote.err.find("row 2: a quoted field is not closed"), std::string::npos) << open_quote.err;
  test::write_file(dir.file("PROJECTS/Standing/ParGen.xml"), "<Par_Gen>");
  auto sheet = run_cli(dir.path(), {"sheet"});
  EXPECT_EQ(sheet.status, 2);
  EXPECT_NE(sheet.err.find(test::native("Standing/ParGen.xml")), std::string::npos) << sheet.err;
  EXPECT_NE(sheet.out.find("\r\nTemplate,"), std::string::npos) << sheet.out;
  EXPECT_EQ(run_cli(dir.path(), {"batch", dir.file("nowhere"), dir.file("site.csv")}).status, 2);
  EXPECT_EQ(configurations(), (std::vector<std::string>{"Standing", "Template"}));
}

} // namespace
} // namespace lw
