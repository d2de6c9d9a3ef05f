#include "dmx_rows.h"
#include "formats/errors.h"
#include "params/dmx_defaults.h"
#include "platform/files.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

using test::rows_file;

class DmxFile : public testing::Test {
protected:
  test::TempDir dir;
  std::string path = dir.file("DMX_Default_Values.xml");
};

TEST_F(DmxFile, NoFileGivesFreshRows) {
  auto rows = Load_DMX_Defaults(path, 512);
  ASSERT_EQ(rows.size(), 512u);
  EXPECT_EQ(rows[0], (DMX_Def_Row{"0", ""}));
  EXPECT_EQ(rows[511], (DMX_Def_Row{"0", ""}));
}

TEST_F(DmxFile, FewerChannelsThanRowsTakesTheFirst) {
  test::write_file(path, rows_file(512));
  auto rows = Load_DMX_Defaults(path, 100);
  ASSERT_EQ(rows.size(), 100u);
  EXPECT_EQ(rows[99], (DMX_Def_Row{"100", "ch100"}));
}

TEST_F(DmxFile, MoreChannelsThanRowsFillsWithFreshRows) {
  test::write_file(path, rows_file(50));
  auto rows = Load_DMX_Defaults(path, 200);
  ASSERT_EQ(rows.size(), 200u);
  EXPECT_EQ(rows[49], (DMX_Def_Row{"50", "ch50"}));
  EXPECT_EQ(rows[50], (DMX_Def_Row{"0", ""}));
  EXPECT_EQ(rows[199], (DMX_Def_Row{"0", ""}));
}

TEST_F(DmxFile, ACommentTakesARowPosition) {
  test::write_file(path, rows_file(3, "<!-- note -->"));
  auto rows = Load_DMX_Defaults(path, 4);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (DMX_Def_Row{"0", ""}));
  EXPECT_EQ(rows[1], (DMX_Def_Row{"1", "ch1"}));
  EXPECT_EQ(rows[3], (DMX_Def_Row{"3", "ch3"}));
}

TEST_F(DmxFile, MissingAttributeIsEmptyAndElementNamesAreNotCompared) {
  test::write_file(path, "<X><Row Mnemonic=\"m\"/><Other Default_Value=\"7\"/></X>");
  auto rows = Load_DMX_Defaults(path, 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (DMX_Def_Row{"", "m"}));
  EXPECT_EQ(rows[1], (DMX_Def_Row{"7", ""}));
}

TEST_F(DmxFile, SavedFileIsExactAndEscapesSpecialCharacters) {
  DMX_Def_Table rows = {{"1", "a & b < \"c\""}, {"0", ""}};
  Save_DMX_Defaults(path, rows);
  EXPECT_EQ(test::read_file(path), "<DMX_Default_Values>\n"
                                   "  <Row Default_Value=\"1\" Mnemonic=\"a &amp; b &lt; &quot;c&quot;\" />\n"
                                   "  <Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                                   "</DMX_Default_Values>\n"
                                   "<!--SW_VERSION = 1.001-->\n");
  EXPECT_EQ(Load_DMX_Defaults(path, 2), rows);
}

TEST_F(DmxFile, NotWellFormedFailsWithTheParserText) {
  test::write_file(path, "<DMX_Default_Values><Row Default_Value=\"1\"></DMX_Default_Values>");
  EXPECT_THROW(Load_DMX_Defaults(path, 512), FileError);
}

struct CountCase {
  const char* name;
  const char* channels; // nullptr: no ParGen.xml
  int expected;
};

class ChannelCount : public testing::TestWithParam<CountCase> {};

TEST_P(ChannelCount, FromTheParameterFile) {
  test::TempDir dir;
  if (GetParam().channels)
    test::write_file(dir.file("ParGen.xml"), std::string("<Par_Gen><DMX_Num_Channels>") +
                                                 GetParam().channels + "</DMX_Num_Channels></Par_Gen>");
  EXPECT_EQ(dmx_channel_count(dir.file("ParGen.xml")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelCount,
                         testing::Values(CountCase{"no_file", nullptr, 512}, CountCase{"hundred", "100", 100},
                                         CountCase{"not_integer", "abc", 512}, CountCase{"zero", "0", 512},
                                         CountCase{"negative", "-5", 512},
                                         CountCase{"above_512", "1000", 1000},
                                         CountCase{"largest", "65535", 65535},
                                         CountCase{"too_large", "65536", 512}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DmxCheck, ReportsTheFirstBadChannelOnly) {
  DMX_Def_Table rows(10);
  rows[4].Default_Value = "256";
  rows[8].Default_Value = "300";
  EXPECT_EQ(Controllo_dati(rows), 5);
  for (const char* bad : {"-1", "x", "", " 1"}) {
    rows[4].Default_Value = bad;
    EXPECT_EQ(Controllo_dati(rows), 5) << bad;
  }
  rows[4].Default_Value = "255";
  rows[8].Default_Value = "0";
  EXPECT_EQ(Controllo_dati(rows), std::nullopt);
  EXPECT_EQ(dmx_row_error("Error row ", 17, "!! Default Value must be between 0 and 255"),
            "Error row 17!! Default Value must be between 0 and 255");
}

} // namespace
} // namespace lw
