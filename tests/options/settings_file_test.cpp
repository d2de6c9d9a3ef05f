#include "expected_files.h"
#include "formats/errors.h"
#include "options/settings_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

constexpr const char* kDefaultsFile = test::kDefaultSettingsFile;

struct Expected {
  std::string conf = "";
  std::string ip = "192.168.2.205";
  std::string language = "English";
  bool internet = false, update = false, jump = false, autosize = false;
};

struct ReadCase {
  const char* name;
  std::string file;
  Expected want;
};

class SettingsRead : public testing::TestWithParam<ReadCase> {};

TEST_P(SettingsRead, TakesEachValueOnItsOwn) {
  test::TempDir dir;
  test::write_file(dir.file("Loomwork.xml"), GetParam().file);
  const Settings s = read_settings_file(dir.file("Loomwork.xml")).settings;
  const Expected& w = GetParam().want;
  EXPECT_EQ(s.Last_Conf_Name, w.conf);
  EXPECT_EQ(s.Last_IP_Address, w.ip);
  EXPECT_EQ(s.Language_Name, w.language);
  EXPECT_EQ(s.Enable_Internet, w.internet);
  EXPECT_EQ(s.Enable_Update, w.update);
  EXPECT_EQ(s.Enable_Jump_Fields, w.jump);
  EXPECT_EQ(s.Auto_Size_Columns, w.autosize);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRead,
    testing::Values(
        ReadCase{
            "full_file",
            "<Conf_Settings><lastproj><projectname> Line 3 </projectname></lastproj>"
            "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd><lastlang><language>Deutsch</language>"
            "</lastlang><lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
            "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1"
            "</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
            {" Line 3 ", "10.0.0.7", "Deutsch", true, true, true, true}},
        ReadCase{
            "only_enable_update",
            "<Conf_Settings><lastinternet><enable_update>1</enable_update></lastinternet></Conf_Settings>",
            {"", "192.168.2.205", "English", false, true, false, false}},
        ReadCase{"flag_spellings_other_than_1_are_false",
                 "<C><lastinternet><enable_internet>true</enable_internet><enable_update>01</enable_update>"
                 "<enable_jump_field_tables> 1</enable_jump_field_tables><Double_Click_Auto_Size/>"
                 "</lastinternet></C>",
                 {}},
        ReadCase{"other_root_name",
                 "<Whatever><lastlang><language>Italiano</language></lastlang></Whatever>",
                 {"", "192.168.2.205", "Italiano"}},
        ReadCase{"declaration_tolerated",
                 "<?xml version=\"1.0\"?>\n<Conf_Settings><lastipadd><ipaddress>1.2.3.4</ipaddress>"
                 "</lastipadd></Conf_Settings>",
                 {"", "1.2.3.4"}},
        ReadCase{
            "comment_first_does_not_hide_the_root",
            "<!-- c --><Conf_Settings><lastipadd><ipaddress>1.2.3.4</ipaddress></lastipadd></Conf_Settings>",
            {"", "1.2.3.4"}},
        ReadCase{"value_with_child_element_takes_default",
                 "<C><lastipadd><ipaddress>1<b/></ipaddress></lastipadd><lastlang><language></language>"
                 "</lastlang></C>",
                 {"", "192.168.2.205", ""}},
        ReadCase{"first_of_two_elements_counts",
                 "<C><lastlang><language>A</language><language>B</language></lastlang><lastlang>"
                 "<language>C</language></lastlang></C>",
                 {"", "192.168.2.205", "A"}},
        ReadCase{"names_are_case_sensitive",
                 "<C><LastLang><language>A</language></LastLang><lastinternet>"
                 "<double_click_auto_size>1</double_click_auto_size></lastinternet></C>",
                 {}},
        ReadCase{"not_well_formed_gives_defaults", "<Conf_Settings><lastproj>", {}},
        ReadCase{"empty_file_gives_defaults", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsWrite, DefaultStateWritesTheExactFile) { EXPECT_EQ(settings_xml(Settings{}), kDefaultsFile); }

TEST(SettingsWrite, WritesValuesVerbatimAndEscaped) {
  Settings s;
  s.Last_Conf_Name = "A & <B>";
  s.Language_Name = "Fran\xC3\xA7"
                    "ais";
  s.Enable_Update = true;
  std::string xml = settings_xml(s);
  EXPECT_NE(xml.find("<projectname>A &amp; &lt;B&gt;</projectname>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<language>Fran\xC3\xA7"
                     "ais</language>"),
            std::string::npos);
  EXPECT_NE(xml.find("<enable_update>1</enable_update>"), std::string::npos);
}

TEST(SettingsWrite, RoundTripsThroughTheFile) {
  test::TempDir dir;
  Settings s;
  s.Last_Conf_Name = " spaced ";
  s.Last_IP_Address = "10.1.2.3";
  s.Auto_Size_Columns = true;
  Save_Setting(settings_file(dir.path()), s);
  const Settings back = read_settings_file(dir.file("Loomwork.xml")).settings;
  EXPECT_EQ(back.Last_Conf_Name, " spaced ");
  EXPECT_EQ(back.Last_IP_Address, "10.1.2.3");
  EXPECT_TRUE(back.Auto_Size_Columns);
  EXPECT_FALSE(back.Enable_Internet);
}

TEST(SettingsWrite, FailureCarriesTheSystemText) {
  try {
    Save_Setting(settings_file("/nonexistent-folder-for-loomwork"), Settings{});
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Loomwork.xml"), std::string::npos) << e.what();
  }
}

} // namespace
} // namespace lw
