#include "core/limits.h"
#include "folder_tree.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "site/site_batch.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

} // namespace

// Readable failures: a set as its file, a problem as a line.
void PrintTo(const Par_Gen_Set& set, std::ostream* os) { *os << par_gen_xml(set); }
void PrintTo(const SheetProblem& p, std::ostream* os) { *os << p.row << " '" << p.name << "': " << p.reason; }

namespace {

TextTable english() {
  TextTable texts;
  texts.Fill_English_Texts();
  return texts;
}

// Parameters by element, as the file writes them, over a set.
using FieldTexts = std::vector<std::pair<std::string, std::string>>;

Par_Gen_Set over(Par_Gen_Set set, const FieldTexts& fields) {
  for (const auto& [element, text] : fields) {
    const ParGenField& f = par_gen_field(element);
    switch (f.kind) {
    case FieldKind::Choice: set.*f.choice = std::stoi(text); break;
    case FieldKind::Number: set.*f.number = text; break;
    case FieldKind::Flag: set.*f.flag = text == "1"; break;
    }
  }
  return set;
}

// The template differs from the default set, so a value it gives can be
// told from one nobody gave.
const FieldTexts kTemplate = {{"MODBUS_SLAVE_BAUDRATE", "3"}, {"DMX_Num_Channels", "48"},
                              {"Ethernet_IP3", "7"},          {"Ethernet_GAT1", "10"},
                              {"Ethernet_GAT4", "254"},       {"MODBUS_SLAVE_DMX_MAP", "1"}};

FieldTexts address(const char* prefix, const std::string& dotted) {
  FieldTexts out;
  std::size_t start = 0;
  for (char n = '1'; n <= '4'; ++n) {
    std::size_t dot = dotted.find('.', start);
    out.emplace_back(prefix + std::string(1, n), dotted.substr(start, dot - start));
    start = dot + 1;
  }
  return out;
}

FieldTexts operator+(FieldTexts a, const FieldTexts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SiteBatch : public testing::Test {
protected:
  void SetUp() override {
    stdfs::create_directories(dir.file("PROJECTS/Template/bin"));
    stdfs::create_directories(dir.file("PROJECTS/Taken/bin"));
    Save_Par_Gen(dir.file("PROJECTS/Template/ParGen.xml"), template_set());
    test::write_file(dir.file("PROJECTS/Template/DMX_Default_Values.xml"),
                     "<DMX><Row Default_Value=\"9\"/><Row Default_Value=\"200\"/></DMX>");
    test::write_file(dir.file("PROJECTS/Template/ModbusM_SetAccess.xml"), "<M/>");
    test::write_file(dir.file("PROJECTS/Template/bin/bank.bin"), "stale");
    test::write_file(dir.file("PROJECTS/Taken/ParGen.xml"), "<Par_Gen/>");
  }
  static Par_Gen_Set template_set() { return over({}, kTemplate); }
  BatchPlan plan(const std::string& sheet, bool replace = false) {
    return plan_batch(dir.file("PROJECTS/Template"), sheet, "site.csv", replace, texts);
  }

  test::TempDir dir;
  TextTable texts = english();
};

struct SheetCase {
  const char* name;
  std::string sheet;
  std::vector<std::pair<std::string, FieldTexts>> units; // over the template
  std::vector<SheetProblem> problems;
  std::vector<std::string> passing = {}; // beside the problems: the rows that pass
};

class SiteSheets : public SiteBatch, public testing::WithParamInterface<SheetCase> {};

TEST_P(SiteSheets, GiveTheirUnitsOrEveryBadRowWithItsReason) {
  BatchPlan p = plan(GetParam().sheet);
  EXPECT_EQ(p.problems, GetParam().problems);
  std::vector<std::pair<std::string, Par_Gen_Set>> got, expected;
  for (const BatchUnit& u : p.units)
    got.emplace_back(u.unit.name, u.unit.set);
  for (const auto& [name, fields] : GetParam().units)
    expected.emplace_back(name, over(template_set(), fields));
  if (GetParam().problems.empty()) {
    EXPECT_EQ(got, expected);
  } else {
    std::vector<std::string> names;
    for (const auto& [name, set] : got)
      names.push_back(name);
    EXPECT_EQ(names, GetParam().passing);
  }
  EXPECT_EQ(p.ready(), GetParam().problems.empty());
}

const std::string kHeader = "Name,IP,Mask,Gateway,ModbusID,Channels\r\n";
const FieldTexts kGatewayOn = {{"Ethernet_EN_GAT", "1"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, SiteSheets,
    testing::Values(
        SheetCase{"good",
                  kHeader + "A,10.0.0.2,255.255.255.0,10.0.0.1,5,24\r\nB,10.0.1.3,255.255.0.0,,6,512\r\n",
                  {{"A", address("Ethernet_IP", "10.0.0.2") + address("Ethernet_SM", "255.255.255.0") +
                             address("Ethernet_GAT", "10.0.0.1") + kGatewayOn +
                             FieldTexts{{"MODBUS_SLAVE_IDDEVICE", "5"}, {"DMX_Num_Channels", "24"}}},
                   {"B", address("Ethernet_IP", "10.0.1.3") + address("Ethernet_SM", "255.255.0.0") +
                             FieldTexts{{"MODBUS_SLAVE_IDDEVICE", "6"}, {"DMX_Num_Channels", "512"}}}},
                  {}},
        SheetCase{"semicolons_and_blank_lines",
                  "\xEF\xBB\xBFName;IP\n\nA;10.0.0.2\n;\n\"B;2\";\" 10.0.0.3 \"\n",
                  {{"A", address("Ethernet_IP", "10.0.0.2")}, {"B;2", address("Ethernet_IP", "10.0.0.3")}},
                  {}},
        SheetCase{"missing_optional_columns", "name\nA\n", {{"A", {}}}, {}},
        SheetCase{"other_parameters_by_element",
                  "Name,MODBUS_SLAVE_BAUDRATE,modbus_slave_parity,DMX_END_LINE_RES,DMX_DMX,,\n"
                  "A,9600,even,1,0,,\nB,0,0,0,OUT,,\n",
                  {{"A",
                    {{"MODBUS_SLAVE_BAUDRATE", "3"},
                     {"MODBUS_SLAVE_PARITY", "2"},
                     {"DMX_END_LINE_RES", "1"},
                     {"DMX_DMX", "0"}}},
                   {"B",
                    {{"MODBUS_SLAVE_BAUDRATE", "0"},
                     {"MODBUS_SLAVE_PARITY", "0"},
                     {"DMX_END_LINE_RES", "0"},
                     {"DMX_DMX", "1"}}}},
                  {}},
        SheetCase{"bad_rows_among_good",
                  kHeader + "A,10.0.0.2,255.255.255.0,,5,24\r\nB,10.0.300.3,255.255.255.0,,5,24\r\n"
                            "C,10.0.0.4,255.255.255.0,10.0.0.1,0,24\r\nD,10.0.0,255.255.255.0,,5,24\r\n"
                            "E,10.0.0.5,255.255.255.0,,5,24\r\n",
                  {},
                  {{3, "B", "Error Ethernet!! IP Address 3 must be between 0 and 255"},
                   {4, "C", "Error Modbus Slave!! ID Device must be between 1 and 247"},
                   {5, "D", "IP '10.0.0' is not four numbers separated by dots"}},
                  {"A", "E"}},
        SheetCase{
            "the_editors_other_tests",
            "Name,MODBUS_SLAVE_STOPBITS,MODBUS_SLAVE_PARITY,DMX_END_LINE_RES,MODBUS_SLAVE_SERIAL\n"
            "A,2 Stop Bits,ODD,0,0\nB,0,0,yes,0\nC,0,0,0,RS422\nD,0,0,0,5\n",
            {},
            {{2, "A", "Error Modbus Slave!! Two Stop Bits can be selected only with None Parity"},
             {3, "B", "DMX_END_LINE_RES 'yes' must be 0 or 1"},
             {4, "C", "MODBUS_SLAVE_SERIAL 'RS422' is none of RS232, RS485"},
             {5, "D",
              "Modbus Slave / Serial: Select the Serial to use with Modbus Protocol (RS232 or RS485)"}}},
        SheetCase{"duplicate_and_refused_names",
                  "Name,IP\nA,10.0.0.2\nA,10.0.0.3\nTaken,10.0.0.4\n,10.0.0.5\n../Out,10.0.0.6\nA,10.0.0.7\n",
                  {},
                  {{3, "A", "the name is given twice (first in row 2)"},
                   {4, "Taken", "Error! Name project is not valid because directory already exists"},
                   {5, "", "Error! Name Project is not valid"},
                   {6, "../Out", "Error! Name project is not valid"},
                   {7, "A", "the name is given twice (first in row 2)"}},
                  {"A"}},
        SheetCase{"unknown_and_clashing_columns",
                  "Name,IP,Colour,Ethernet_ip4,,Name\nA,10.0.0.2,red,3,x,A\n",
                  {},
                  {{1, "", "unknown column 'Colour'"},
                   {1, "", "columns IP and Ethernet_ip4 both give Ethernet_IP4"},
                   {1, "", "unknown column ''"},
                   {1, "", "column Name is given twice"}},
                  {"A"}},
        SheetCase{"values_beyond_the_header",
                  "Name,IP\nA,10.0.0.2,\nB,10.0.0.3,x\n",
                  {},
                  {{3, "B", "a value beyond the header's columns"}},
                  {"A"}},
        SheetCase{"no_name_column", "IP\n10.0.0.2\n", {}, {{1, "", "no Name column"}}},
        SheetCase{"header_only", kHeader, {}, {{1, "", "the sheet has no units"}}},
        SheetCase{"empty", "", {}, {{1, "", "no Name column"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SiteBatch, MakesEachUnitWithTheTemplatesFilesAndItsImage) {
  BatchPlan p = plan("Name,IP,Gateway\nA,10.0.0.2,10.0.0.1\nB,10.0.0.3,\n");
  ASSERT_TRUE(p.ready());
  std::vector<std::size_t> progress;
  EXPECT_TRUE(write_batch(p, texts, [&](std::size_t done) {
    progress.push_back(done);
    return true;
  }));
  EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2}));
  auto template_files = test::tree(dir.file("PROJECTS/Template"));
  for (const BatchUnit& u : p.units) {
    std::string folder = dir.file("PROJECTS/" + u.unit.name);
    auto made = test::tree(folder);
    image::ImageCompiler compiler;
    compiler.Compile_Image(folder + "/ParGen.xml", folder + "/DMX_Default_Values.xml");
    auto expected = template_files;
    expected["ParGen.xml"] = par_gen_xml(u.unit.set);
    expected["bin/bank.bin"] = std::string(reinterpret_cast<const char*>(compiler.Image_Buffer.data()),
                                           static_cast<std::size_t>(compiler.Image_Size));
    EXPECT_EQ(made, expected) << u.unit.name;
  }
  EXPECT_EQ(Load_Par_Gen(dir.file("PROJECTS/A/ParGen.xml")).Ethernet_EN_GAT, true);
}

TEST_F(SiteBatch, ReplacingWritesTheNewFilesAndKeepsTheUsersOwn) {
  test::write_file(dir.file("PROJECTS/Taken/notes.txt"), "old");
  BatchPlan refused = plan("Name,IP\nTaken,10.0.0.9\n");
  EXPECT_FALSE(refused.ready());
  BatchPlan p = plan("Name,IP\nTaken,10.0.0.9\nNew,10.0.0.8\n", true);
  ASSERT_TRUE(p.ready());
  EXPECT_TRUE(p.units[0].replaces);
  EXPECT_FALSE(p.units[1].replaces);
  write_batch(p, texts);
  EXPECT_EQ(Load_Par_Gen(dir.file("PROJECTS/Taken/ParGen.xml")).Ethernet_IP4, "9");
  EXPECT_EQ(test::read_file(dir.file("PROJECTS/Taken/notes.txt")), "old");
  // Nothing aside is left over: only the configurations.
  std::vector<std::string> names;
  for (const auto& e : stdfs::directory_iterator(dir.file("PROJECTS")))
    names.push_back(test::utf8(e.path().filename()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"New", "Taken", "Template"}));
}

// What went to the device under a name stays with the name.
TEST_F(SiteBatch, AReplacedConfigurationHandsOnItsUpdateHistory) {
  const std::string taken = dir.file("PROJECTS/Taken");
  const std::map<std::string, std::string> history = {
      {"update-log.csv", "time,address\r\nt1,10.0.0.9\r\n"},
      {"bin/last-sent.bin", std::string(2560, 'L')},
      {"bin/sent/bank-20261210-120000-000.bin", std::string(2560, 'S')}};
  for (const auto& [place, bytes] : history)
    test::write_file(taken + "/" + place, bytes);
  write_batch(plan("Name,IP\nTaken,10.0.0.9\n", true), texts);
  EXPECT_EQ(Load_Par_Gen(taken + "/ParGen.xml").Ethernet_IP4, "9");
  for (const auto& [place, bytes] : history)
    EXPECT_EQ(test::read_file(taken + "/" + place), bytes) << place;
}

TEST_F(SiteBatch, ASheetOfMoreUnitsThanASiteHasIsRefusedWhole) {
  std::string sheet = "Name\n";
  for (std::size_t i = 0; i <= kMaxSiteUnits; ++i)
    sheet += "U" + std::to_string(i) + "\n";
  BatchPlan p = plan(sheet);
  EXPECT_TRUE(p.units.empty());
  ASSERT_EQ(p.problems.size(), 1u);
  EXPECT_EQ(p.problems[0].reason, "the sheet has 5001 rows; a site sheet holds at most 5000 units");
}

TEST_F(SiteBatch, ATemplateThatCantBeCompiledStopsTheSheetBeforeAnything) {
  test::write_file(dir.file("PROJECTS/Template/DMX_Default_Values.xml"), "<DMX><Row></DMX>");
  EXPECT_THROW(plan("Name\nA\n"), FileError);
  EXPECT_THROW(plan_batch(dir.file("PROJECTS/None"), "Name\nA\n", "site.csv", false, texts), FileError);
  // A folder that is no configuration is no template.
  test::write_file(dir.file("PROJECTS/Photos/readme.txt"), "x");
  EXPECT_THROW(plan_batch(dir.file("PROJECTS/Photos"), "Name\nA\n", "site.csv", false, texts), FileError);
  EXPECT_THROW(plan_batch(dir.file("PROJECTS"), "Name\nA\n", "site.csv", false, texts), FileError);
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/A")));
}

TEST_F(SiteBatch, AFolderMadeSinceThePlanStopsTheWritingThere) {
  BatchPlan p = plan("Name\nA\nB\nC\n");
  ASSERT_TRUE(p.ready());
  stdfs::create_directories(dir.file("PROJECTS/B"));
  try {
    write_batch(p, texts);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(
                  test::native("PROJECTS/B: Error! Name project is not valid because directory")),
              std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(stdfs::exists(dir.file("PROJECTS/A/ParGen.xml")));
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/B/ParGen.xml")));
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/C")));
}

} // namespace
} // namespace lw
