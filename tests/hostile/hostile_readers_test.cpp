// What a hostile user hands the readers: sheets that would make files the
// program can't read back, zips of files it can't read, characters XML
// can't hold, giant mnemonics. Each is refused where it comes in, naming
// why, and nothing is written; what the program writes, it reads.
#include "cli_run.h"
#include "core/identity.h"
#include "core/limits.h"
#include "folder_tree.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/xml.h"
#include "platform/zip_archive.h"
#include "program_folder.h"
#include "repeated.h"
#include "report/commissioning_sheet.h"
#include "sound_image.h"
#include "window_logic/dmx_editor.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::repeated;
using test::run_cli;

constexpr std::string_view kNoncharacterFFFE = "\xEF\xBF\xBE";
constexpr std::string_view kNoncharacterFFFF = "\xEF\xBF\xBF";
constexpr std::string_view kNextLine = "\xC2\x85"; // U+0085, a C1 control

std::string utf16(std::string_view ascii, bool big_endian) {
  std::string out;
  for (char c : ascii)
    out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
  return out;
}

// A sheet with one row per channel, each mnemonic made by `mnemonic`.
std::string channel_sheet(int channels, const std::function<std::string(int)>& mnemonic) {
  std::string out = "Channel,Value,Mnemonic\r\n";
  for (int i = 1; i <= channels; ++i)
    out += std::to_string(i) + ",255," + mnemonic(i) + "\r\n";
  return out;
}

// Every character of the text is one XML can hold.
bool only_xml_characters(std::string_view text) {
  return utf8::is_valid(text) && !utf8::first_non_xml_char(text);
}

class HostileReaders : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("A");
    set_channels(4);
  }
  void set_channels(int count) {
    Par_Gen_Set set;
    set.DMX_Num_Channels = std::to_string(count);
    Save_Par_Gen(conf + "/ParGen.xml", set);
  }
  test::CliRun import_sheet(std::string_view bytes) {
    test::write_file(sheet, bytes);
    return run_cli(dir.path(), {"dmx", "import", conf, sheet});
  }
  std::string conf = dir.file("PROJECTS/A");
  std::string table = conf + "/DMX_Default_Values.xml";
  std::string sheet = dir.file("patch.csv");
};

// --- A channel sheet refused where it comes in -----------------------------

struct SheetCase {
  const char* name;
  std::string (*sheet)();
  const char* said;
};

class RefusedChannelSheet : public HostileReaders, public testing::WithParamInterface<SheetCase> {};

TEST_P(RefusedChannelSheet, IsRefusedNamingWhyAndWritesNothing) {
  Save_DMX_Defaults(table, DMX_Def_Table(4, DMX_Def_Row{"7", "kept"}));
  const std::string before = test::read_file(table);
  auto r = import_sheet(GetParam().sheet());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(sheet), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(GetParam().said), std::string::npos) << r.err;
  EXPECT_EQ(test::read_file(table), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedChannelSheet,
    testing::Values(
        // A file of more markup than its reader takes, said to be one changed channel.
        SheetCase{"mnemonic_of_300000_equals",
                  [] { return "Channel,Value,Mnemonic\n1,1," + std::string(300000, '=') + "\n"; },
                  "row 2: Mnemonic is 300000 characters long; a mnemonic holds at most 32"},
        // 76 MB of file from 17 of them.
        SheetCase{"mnemonics_of_ampersands",
                  [] { return channel_sheet(4, [](int) { return std::string(900000, '&'); }); },
                  "row 2: Mnemonic is 900000 characters long"},
        SheetCase{"mnemonic_one_past_the_cap",
                  [] { return channel_sheet(4, [](int i) { return std::string(i == 3 ? 33 : 32, 'm'); }); },
                  "row 4: Mnemonic is 33 characters long; a mnemonic holds at most 32"},
        SheetCase{"mnemonic_with_u_fffe",
                  [] { return "Channel,Value,Mnemonic\n1,1,spot" + std::string(kNoncharacterFFFE) + "\n"; },
                  "row 2: Mnemonic holds U+FFFE, which no XML file can hold"},
        SheetCase{"mnemonic_with_u_ffff",
                  [] { return "Channel,Value,Mnemonic\n1,1," + std::string(kNoncharacterFFFF) + "\n"; },
                  "row 2: Mnemonic holds U+FFFF, which no XML file can hold"},
        SheetCase{"mnemonic_with_a_c1_control",
                  [] { return "Channel,Value,Mnemonic\n1,1,a" + std::string(kNextLine) + "b\n"; },
                  "row 2: Mnemonic holds the control character U+0085"},
        // Each field a string in memory: a row of them is no sheet.
        SheetCase{"a_row_of_200_fields", [] { return "Channel,Value\n1,1" + std::string(200, ',') + "\n"; },
                  "row 2: more than 128 fields"},
        SheetCase{"a_header_of_commas", [] { return std::string(100000, ',') + "\n1,1\n"; },
                  "row 1: more than 128 fields"},
        SheetCase{"utf16_le_without_its_mark", [] { return utf16("Channel,Value\r\n1,5\r\n", false); },
                  "the sheet is UTF-16 text"},
        SheetCase{"utf16_be_without_its_mark", [] { return utf16("Channel,Value\r\n1,5\r\n", true); },
                  "the sheet is UTF-16 text"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- A site sheet refused where it comes in --------------------------------

struct SiteCase {
  const char* name;
  std::string (*sheet)();
  int status; // 3: rows refused; 2: no sheet the program reads
  const char* said;
};

class RefusedSiteSheet : public HostileReaders, public testing::WithParamInterface<SiteCase> {};

TEST_P(RefusedSiteSheet, IsRefusedNamingWhyAndWritesNothing) {
  test::write_file(dir.file("site.csv"), GetParam().sheet());
  auto before = test::tree(dir.file("PROJECTS"));
  auto r = run_cli(dir.path(), {"batch", conf, dir.file("site.csv")});
  EXPECT_EQ(r.status, GetParam().status) << r.out << r.err;
  EXPECT_NE((r.out + r.err).find(GetParam().said), std::string::npos) << r.out << r.err;
  EXPECT_EQ(test::tree(dir.file("PROJECTS")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSiteSheet,
    testing::Values(
        // "0…010" is 10 by the integer rule, and a ParGen.xml of 1.5 MiB.
        SiteCase{"parameters_past_their_file",
                 [] { return "Name,Channels,IP\nHall,512," + std::string(1536 * 1024, '0') + "10.1.1.1\n"; },
                 3,
                 "row 2: Hall: Cannot write ParGen.xml: the program could not read it back: it is larger "
                 "than the limit of 1 MiB"},
        SiteCase{"name_with_u_fffe", [] { return "Name\nHall" + std::string(kNoncharacterFFFE) + "\n"; }, 3,
                 "the name holds U+FFFE, which no XML file can hold"},
        SiteCase{"a_row_of_200_fields", [] { return "Name\nHall" + std::string(200, ',') + "\n"; }, 2,
                 "row 2: more than 128 fields"},
        SiteCase{"utf16_without_its_mark", [] { return utf16("Name,IP\r\nHall,10.1.1.1\r\n", false); }, 2,
                 "the sheet is UTF-16 text"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- A zip refused for a file the program could not read back ---------------

std::string billion_laughs() {
  std::string entities = "<!ENTITY lol \"lol\">";
  for (int i = 1; i <= 9; ++i)
    entities += "<!ENTITY lol" + std::to_string(i) + " \"" +
                repeated("&lol" + (i == 1 ? std::string() : std::to_string(i - 1)) + ";", 10) + "\">";
  return "<?xml version=\"1.0\"?><!DOCTYPE Par_Gen [" + entities +
         "]><Par_Gen><DMX_Num_Channels>&lol9;</DMX_Num_Channels></Par_Gen>";
}

struct ZipCase {
  const char* name;
  const char* place; // inside the configuration's folder
  std::string (*bytes)();
  const char* said;
};

class RefusedZip : public HostileReaders, public testing::WithParamInterface<ZipCase> {};

TEST_P(RefusedZip, IsRefusedWholeNamingTheEntryAndWritesNothing) {
  const std::string zip = dir.file("in.zip");
  zip::write(zip, {{"Line 9", {}, true},
                   {"Line 9/bin", {}, true},
                   {"Line 9/bin/sent", {}, true},
                   {"Line 9/bin/bank.bin", test::sound_image('b'), false},
                   {"Line 9/ParGen.xml", par_gen_xml(Par_Gen_Set()), false},
                   {std::string("Line 9/") + GetParam().place, GetParam().bytes(), false}});
  auto before = test::tree(dir.file("PROJECTS"));
  auto r = run_cli(dir.path(), {"import", zip});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(std::string("entry \"Line 9/") + GetParam().place + "\""), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(GetParam().said), std::string::npos) << r.err;
  EXPECT_EQ(test::tree(dir.file("PROJECTS")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedZip,
    testing::Values(
        ZipCase{"last_sent_of_5_bytes", "bin/last-sent.bin", [] { return std::string("12345"); },
                "is 5 bytes, not the 2560 of a parameter image"},
        ZipCase{"sent_image_of_2_mib", "bin/sent/bank-20261211-010203-000.bin",
                [] { return std::string(2u << 20, 's'); }, "is 2097152 bytes, not the 2560"},
        ZipCase{"sent_image_of_a_wrong_checksum", "bin/sent/bank-20261211-010203-001.bin",
                [] {
                  std::string bytes = test::sound_image('s');
                  bytes[100] ^= 1;
                  return bytes;
                },
                "holds the checksum 0x"},
        ZipCase{"dmx_values_of_60_mib", "DMX_Default_Values.xml",
                [] { return "<DMX_Default_Values>" + std::string(60u << 20, ' ') + "</DMX_Default_Values>"; },
                "it is larger than the limit of 16 MiB for this file"},
        ZipCase{"dmx_values_of_too_much_markup", "DMX_Default_Values.xml",
                [] { return "<DMX_Default_Values>" + repeated("<Row/>", 150001) + "</DMX_Default_Values>"; },
                "more than 300000 pieces of markup"},
        ZipCase{"access_file_of_17_mib", "ModbusM_SetAccess.xml",
                [] { return "<M>" + std::string(17u << 20, ' ') + "</M>"; },
                "it is larger than the limit of 16 MiB"},
        ZipCase{"dmx_values_of_a_billion_laughs", "DMX_Default_Values.xml", billion_laughs,
                "it declares a document type"},
        ZipCase{"access_file_broken", "ModbusTCPM_SetAccess.xml", [] { return std::string("<M><x></M>"); },
                "Cannot parse ModbusTCPM_SetAccess.xml"}),
    [](const auto& info) { return std::string(info.param.name); });

// The configuration's own parameters and image, checked as any entry.
TEST_F(HostileReaders, AZipsParametersAndImageAreCheckedToo) {
  const std::string zip = dir.file("in.zip");
  const std::pair<zip::Entry, const char*> cases[] = {
      {{"Line 9/ParGen.xml", billion_laughs(), false},
       "entry \"Line 9/ParGen.xml\" can't be read: it declares a document type"},
      {{"Line 9/ParGen.xml", "<Par_Gen>" + std::string(2u << 20, ' ') + "</Par_Gen>", false},
       "entry \"Line 9/ParGen.xml\" can't be read: it is larger than the limit of 1 MiB"},
      {{"Line 9/bin/bank.bin", "12345", false},
       "entry \"Line 9/bin/bank.bin\" is 5 bytes, not the 2560 of a parameter image"}};
  for (const auto& [entry, said] : cases) {
    zip::write(zip, {{"Line 9", {}, true}, {"Line 9/bin", {}, true}, entry});
    auto r = run_cli(dir.path(), {"import", zip});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
    EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/Line 9")));
  }
}

// --- What the program writes, it reads back ----------------------------------

// Mnemonics full of '=' make no attribute: the reader takes what the writer
// made of 65535 of them.
TEST_F(HostileReaders, SixtyFiveThousandChannelsOfLevelEqualsAreReadBack) {
  set_channels(kMaxDmxChannels);
  auto r = import_sheet(channel_sheet(kMaxDmxChannels, [](int i) { return "Level=" + std::to_string(i); }));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "65535 channels changed\n");
  for (const char* command : {"check", "compile"})
    EXPECT_NE(run_cli(dir.path(), {command, conf}).status, 2) << command;
  auto rows = Load_DMX_Defaults(table, kMaxDmxChannels);
  EXPECT_EQ(rows.back(), (DMX_Def_Row{"255", "Level=65535"}));
}

// The cap's arithmetic: 65535 channels at the highest level, each mnemonic
// the cap's length of the character written longest, fit the reader's
// bytes and markup. Today's bound, kept as the limits change.
TEST_F(HostileReaders, TheLongestFileTheWriterCanMakeIsOneTheReaderTakes) {
  DMX_Def_Table rows(kMaxDmxChannels, DMX_Def_Row{"255", std::string(kMaxMnemonicChars, '"')});
  const std::string bytes = dmx_defaults_xml(rows);
  EXPECT_EQ(xml::unreadable_reason(bytes, kMaxDmxDefaultBytes), std::nullopt);
  Save_DMX_Defaults(table, rows);
  EXPECT_EQ(Load_DMX_Defaults(table, kMaxDmxChannels), rows);
}

// A value the editor takes ("0…0255" is 255) may still make a file past the
// reader's limit: the writer refuses it, naming the limit, and the file
// stays as it was.
TEST_F(HostileReaders, TheWriterRefusesWhatItsReaderWouldRefuse) {
  set_channels(kMaxDmxChannels);
  test::write_file(table, "<DMX_Default_Values/>");
  test::FakeFilePicker files;
  DmxEditorLogic editor{ProgramFolder::conf, catalogue, messages, files};
  DMX_Def_Table rows(kMaxDmxChannels, DMX_Def_Row{std::string(300, '0') + "255", ""});
  EXPECT_FALSE(editor.Btn_OKClick(rows));
  EXPECT_NE(messages.last_text().find("it is larger than the limit of 16 MiB for this file"),
            std::string::npos)
      << messages.last_text();
  EXPECT_EQ(test::read_file(table), "<DMX_Default_Values/>");
  EXPECT_THROW(Save_DMX_Defaults(table, rows), FileError);
  EXPECT_EQ(test::read_file(table), "<DMX_Default_Values/>");
}

// --- The editor --------------------------------------------------------------

struct EditorCase {
  const char* name;
  std::string mnemonic;
  const char* said;
};

class EditorRefusesAMnemonic : public HostileReaders, public testing::WithParamInterface<EditorCase> {};

TEST_P(EditorRefusesAMnemonic, AtOkNamingTheChannelAndWritesNothing) {
  test::FakeFilePicker files;
  DmxEditorLogic editor{ProgramFolder::conf, catalogue, messages, files};
  DMX_Def_Table rows(4);
  rows[2].Mnemonic = GetParam().mnemonic;
  EXPECT_FALSE(editor.Btn_OKClick(rows));
  EXPECT_EQ(messages.last_text(), GetParam().said);
  EXPECT_FALSE(stdfs::exists(table));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorRefusesAMnemonic,
    testing::Values(EditorCase{"one_past_the_cap", std::string(33, 'm'),
                               "Error row 3!! The mnemonic is longer than 32 characters"},
                    EditorCase{"of_300000_equals", std::string(300000, '='),
                               "Error row 3!! The mnemonic is longer than 32 characters"},
                    EditorCase{"u_ffff", "spot" + std::string(kNoncharacterFFFF),
                               "Error row 3!! The mnemonic holds U+FFFF, a character the file can't hold"},
                    EditorCase{"u_fffe", std::string(kNoncharacterFFFE),
                               "Error row 3!! The mnemonic holds U+FFFE, a character the file can't hold"},
                    EditorCase{"a_line_feed", "a\nb",
                               "Error row 3!! The mnemonic holds U+000A, a character the file can't hold"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file an older program wrote past the reader's bound: shown as an error,
// with no table whose OK would write empty rows over it.
TEST_F(HostileReaders, TheEditorOffersNoRowsForAFileItCantRead) {
  const std::string unreadable = "<DMX_Default_Values>" +
                                 repeated("<Row Default_Value=\"9\" Mnemonic=\"x\"/>", 80000) +
                                 "</DMX_Default_Values>";
  test::write_file(table, unreadable);
  test::FakeFilePicker files;
  DmxEditorLogic editor{ProgramFolder::conf, catalogue, messages, files};
  EXPECT_FALSE(editor.FormShow());
  EXPECT_NE(messages.last_text().find("more than 300000 pieces of markup"), std::string::npos)
      << messages.last_text();
  EXPECT_EQ(test::read_file(table), unreadable);
}

// --- The XML reader ----------------------------------------------------------

// The parser expands no entity, so a document type is refused outright
// rather than read as text the program never sees.
TEST_F(HostileReaders, ADocumentTypeIsRefusedByEveryXmlReader) {
  test::write_file(conf + "/ParGen.xml", billion_laughs());
  try {
    (void)Load_Par_Gen(conf + "/ParGen.xml");
    FAIL() << "read";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot read " + conf +
                                         "/ParGen.xml: it declares a document type (<!DOCTYPE), which no "
                                         "file of the program has");
  }
  EXPECT_EQ(run_cli(dir.path(), {"check", conf}).status, 2);
}

// Only what makes nodes and attributes counts: a quote in a comment or a
// '>' in a text hides none of them, and no value's '=' adds any.
TEST(MarkupCount, CountsWhatTheParserBuildsAndNothingElse) {
  EXPECT_EQ(xml::markup_count("<a b=\"=>=<\" c='='>x=y>z</a>"), 6u);
  EXPECT_EQ(xml::markup_count("<!-- ' \" <a b=c> --><a/>"), 4u);
  EXPECT_EQ(xml::markup_count("<?pi a=\"?> <b/>"), 4u);
  EXPECT_EQ(xml::markup_count("<![CDATA[<a b=c>]]><a/>"), 4u);
  // A quote left open skips nothing a parser would build: it stops there.
  EXPECT_EQ(xml::markup_count("<a b=\"x><c/><c/>"), 2u);
  std::string hidden = "<a><!-- ' -->" + repeated("<b c=\"\"/>", 100000) + "'</a>";
  EXPECT_NE(xml::unreadable_reason(hidden, kMaxDmxDefaultBytes), std::nullopt);
  // The parser reads UTF-16 too, where a comment's mark is no ASCII text.
  EXPECT_NE(xml::unreadable_reason("\xFF\xFE" + utf16(hidden, false), kMaxDmxDefaultBytes), std::nullopt);
  EXPECT_EQ(xml::markup_count(utf16("<a b=\"=\">", true)), 4u);
}

// --- The sheet's output ------------------------------------------------------

// A DMX file edited by hand may hold anything its reader takes: the HTML
// sheet stays XML, and a cell cut short says so.
TEST_F(HostileReaders, TheSheetStaysWellFormedAndShowsWhatItCut) {
  const std::string giant(1u << 20, 'M');
  DMX_Def_Table rows{{"1", "a" + std::string(kNoncharacterFFFF) + "b"},
                     {"2", std::string("bad \xC3(\xFF utf-8")},
                     {"3", giant},
                     {"4", "fine"}};
  test::write_file(table, dmx_defaults_xml(rows));
  const std::string html = dir.file("sheet.html");
  auto r = run_cli(dir.path(), {"report", conf, "-o", html});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = test::read_file(html);
  EXPECT_TRUE(only_xml_characters(bytes));
  pugi::xml_document parsed;
  ASSERT_TRUE(parsed.load_string(bytes.c_str()));
  std::vector<std::string> mnemonics;
  for (auto cell : parsed.select_nodes("//table[@class='data'][1]/tbody/tr/td[3]"))
    mnemonics.push_back(cell.node().child_value());
  ASSERT_EQ(mnemonics.size(), 4u);
  EXPECT_EQ(mnemonics[0], "a\xEF\xBF\xBD"
                          "b");
  EXPECT_EQ(mnemonics[2], std::string(kSheetCellChars, 'M') + std::string(utf8::kCutMark));
  EXPECT_EQ(mnemonics[3], "fine");

  // The PDF is laid out from the same document: its cell is cut alike.
  SheetFacts facts{"A", conf, {}, "en"};
  doc::Document document = commissioning_sheet(facts, catalogue.Text_Table);
  EXPECT_EQ(document.sections[2].table.rows[2][2],
            std::string(kSheetCellChars, 'M') + std::string(utf8::kCutMark));
}

} // namespace
} // namespace lw
