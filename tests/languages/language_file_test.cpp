#include "core/catalogue.h"
#include "core/limits.h"
#include "languages/language_file.h"
#include "languages/language_locale.h"
#include "languages/text_decoding.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

struct LineCase {
  const char* name;
  const char* line;
  int index;            // entry to look at
  const char* expected; // its text afterwards
};

class EntryLine : public testing::TestWithParam<LineCase> {};

TEST_P(EntryLine, SetsOrLeavesTheEntry) {
  TextTable t;
  t.Fill_English_Texts();
  std::string version = "NO VER.";
  apply_language_text(GetParam().line, t, version);
  EXPECT_EQ(t.Get(GetParam().index), GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryLine,
    testing::Values(LineCase{"plain", "STR18 = X", 18, "X"},
                    LineCase{"blanks_around_index", "STR 18 = X", 18, "X"},
                    LineCase{"leading_zeros", "STR0018 = X", 18, "X"},
                    LineCase{"no_separator_cuts_last_digit", "STR18=X", 1, "X"},
                    LineCase{"no_separator_leaves_18", "STR18=X", 18, "Error! Project not Valid"},
                    LineCase{"one_digit_no_separator", "STR5=X", 5, "Step 5"},
                    LineCase{"small_letters", "str18 = X", 18, "Error! Project not Valid"},
                    LineCase{"index_too_large", "STR1500 = X", 1499, " "},
                    LineCase{"negative_index", "STR-1 = X", 0, "Begin"},
                    LineCase{"index_not_a_number", "STRx = X", 18, "Error! Project not Valid"},
                    LineCase{"empty_text", "STR18 =", 18, "Error! Project not Valid"},
                    LineCase{"only_a_comment", "STR18 = /#/ note", 18, "Error! Project not Valid"},
                    LineCase{"comment_and_pilcrows", "STR305 = \xC2\xB6Page \xC2\xB6 /#/ counter label", 305,
                             "Page "},
                    LineCase{"pilcrows_keep_blanks", "STR317 = \xC2\xB6 to \xC2\xB6", 317, " to "},
                    LineCase{"two_pilcrows_empty", "STR18 = \xC2\xB6\xC2\xB6", 18, ""},
                    LineCase{"text_after_pilcrow_cut", "STR18 = A\xC2\xB6 B", 18, "A"},
                    LineCase{"equals_in_text", "STR18 = A = B", 18, "A = B"},
                    LineCase{"indented_line", "\t  STR18 = X  \t", 18, "X"},
                    LineCase{"later_line_wins", "STR18 = A\nSTR18 = B", 18, "B"},
                    LineCase{"no_equals", "STR18 X", 18, "Error! Project not Valid"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VersionLine, FirstOneCountsInAnyCase) {
  TextTable t;
  t.Fill_English_Texts();
  std::string version = "NO VER.";
  apply_language_text("//version 2.1\r\n//VERSION 3.0\r\n", t, version);
  EXPECT_EQ(version, "2.1");
}

TEST(VersionLine, MissingLeavesNoVersion) {
  TextTable t;
  t.Fill_English_Texts();
  std::string version = "NO VER.";
  apply_language_text("STR18 = X\n", t, version);
  EXPECT_EQ(version, "NO VER.");
}

TEST(LineEnds, CrLfLfAndCrAllSeparateLines) {
  TextTable t;
  t.Fill_English_Texts();
  std::string version;
  apply_language_text("STR1 = A\r\nSTR2 = B\nSTR3 = C\rSTR4 = D", t, version);
  EXPECT_EQ(t.Get(1), "A");
  EXPECT_EQ(t.Get(2), "B");
  EXPECT_EQ(t.Get(3), "C");
  EXPECT_EQ(t.Get(4), "D");
}

struct EncodingCase {
  const char* name;
  std::string bytes;
  std::string utf8;
};

class Encoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, DecodesToUtf8) { EXPECT_EQ(decode_text_file(GetParam().bytes), GetParam().utf8); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Encoding,
    testing::Values(
        EncodingCase{"utf8_bom",
                     "\xEF\xBB\xBF"
                     "caf\xC3\xA9",
                     "caf\xC3\xA9"},
        EncodingCase{"utf16le_bom",
                     std::string("\xFF\xFE"
                                 "c\0\xE9\0",
                                 6),
                     "c\xC3\xA9"},
        EncodingCase{"utf16be_bom", std::string("\xFE\xFF\0c\0\xE9", 6), "c\xC3\xA9"},
        EncodingCase{"utf16le_surrogates", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},
        EncodingCase{"utf16le_lone_surrogate", std::string("\xFF\xFE\x3D\xD8", 4), "\xEF\xBF\xBD"},
        EncodingCase{"utf16le_odd_byte",
                     std::string("\xFF\xFE"
                                 "a\0b",
                                 5),
                     "a\xEF\xBF\xBD"},
        EncodingCase{"cp1252_without_bom", "caf\xE9 \x80 \x9C", "caf\xC3\xA9 \xE2\x82\xAC \xC5\x93"},
        EncodingCase{"utf8_without_bom", "Sch\xC3\xB6n \xE2\x82\xAC", "Sch\xC3\xB6n \xE2\x82\xAC"},
        // A pilcrow's second byte inside an accented letter must not be read as one.
        EncodingCase{"utf8_without_bom_o_umlaut_is_one_letter", "\xC3\xB6", "\xC3\xB6"},
        EncodingCase{"cp1252_that_looks_almost_like_utf8", "\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
        EncodingCase{"cp1252_surrogate_range_is_not_utf8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        EncodingCase{"utf8_invalid_bytes",
                     "\xEF\xBB\xBF"
                     "a\xFF"
                     "b\xC3",
                     "a\xEF\xBF\xBD"
                     "b\xEF\xBF\xBD"},
        EncodingCase{"utf8_overlong", "\xEF\xBB\xBF\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"}),
    [](const auto& info) { return std::string(info.param.name); });

// The second byte of "\xC3\xB6" is the pilcrow of Windows-1252: read as that,
// it would cut the text at the umlaut.
TEST(ReadLanguageFile, Utf8WithoutBomKeepsAnUmlautWhole) {
  test::TempDir dir;
  test::write_file(dir.file("De.lng"), "STR18 = Sch\xC3\xB6ne Gr\xC3\xBC\xC3\x9F"
                                       "e\r\n");
  TextTable t;
  t.Fill_English_Texts();
  std::string version;
  EXPECT_EQ(Read_Language_File(dir.file("De.lng"), t, version), std::nullopt);
  EXPECT_EQ(t.Get(18), "Sch\xC3\xB6ne Gr\xC3\xBC\xC3\x9F"
                       "e");
}

TEST(ReadLanguageFile, Utf8WithBomKeepsAccentsAndFirstVersionLine) {
  test::TempDir dir;
  test::write_file(dir.file("Fr.lng"),
                   "\xEF\xBB\xBF//VERSION 1.0\r\nSTR18 = Erreur ! Projet non valide \xC3\xA9\r\n");
  TextTable t;
  t.Fill_English_Texts();
  std::string version = "NO VER.";
  Read_Language_File(dir.file("Fr.lng"), t, version);
  EXPECT_EQ(version, "1.0");
  EXPECT_EQ(t.Get(18), "Erreur ! Projet non valide \xC3\xA9");
  EXPECT_EQ(t.Get(17), "Update Device");
}

class LoadLanguage : public testing::Test {
protected:
  std::optional<std::string> load(const std::string& name) {
    return Load_Language(catalogue, dir.path(), name);
  }
  test::TempDir dir;
  Catalogue catalogue;
};

TEST_F(LoadLanguage, OverlaysTheChosenFileOnEnglish) {
  test::write_file(dir.file("Deutsch.lng"), "//VERSION 2\nSTR18 = Fehler\n");
  load("Deutsch");
  EXPECT_EQ(catalogue.text(18), "Fehler");
  EXPECT_EQ(catalogue.text(17), "Update Device");
  EXPECT_EQ(catalogue.Language_Version, "2");
  EXPECT_EQ(catalogue.Texts_Language, "Deutsch");
}

TEST_F(LoadLanguage, MissingFileFallsBackToEnglishFile) {
  test::write_file(dir.file("English.lng"), "//VERSION 9\nSTR0 = Start\n");
  load("Klingon");
  EXPECT_EQ(catalogue.Texts_Language, "English");
  EXPECT_EQ(catalogue.text(0), "Start");
  EXPECT_EQ(catalogue.Language_Version, "9");
}

TEST_F(LoadLanguage, NoFilesLeaveBuiltInEnglish) {
  load("Deutsch");
  EXPECT_EQ(catalogue.Texts_Language, "English");
  EXPECT_EQ(catalogue.text(0), "Begin");
  EXPECT_EQ(catalogue.Language_Version, "NO VER.");
}

TEST_F(LoadLanguage, NamesTheLanguageItsTextsAreIn) {
  test::write_file(dir.file("Deutsch.lng"), "STR18 = Fehler\n");
  load("Deutsch");
  EXPECT_EQ(catalogue.Texts_Language, "Deutsch");
  load("Klingon");
  EXPECT_EQ(catalogue.Texts_Language, "English");
}

TEST(LocaleOfLanguage, ShippedLanguagesHaveTheirsAndOthersAreEnglish) {
  // Only ASCII letters fold, whatever the locale: Ç is no ç.
  const std::pair<const char*, const char*> cases[] = {
      {"English", "en"},  {"Italiano", "it"}, {"Deutsch", "de"}, {"Français", "fr"},
      {"Español", "es"},  {"deutsch", "de"},  {"Klingon", "en"}, {"", "en"},
      {"Deutsch2", "en"}, {"fRANçAIS", "fr"}, {"FRANÇAIS", "en"}};
  for (const auto& [name, locale] : cases)
    EXPECT_EQ(locale_of_language(name), locale) << name;
}

TEST_F(LoadLanguage, NewLanguageDoesNotMergeWithThePrevious) {
  test::write_file(dir.file("A.lng"), "STR1 = a1\n");
  test::write_file(dir.file("B.lng"), "STR2 = b2\n");
  load("A");
  load("B");
  EXPECT_EQ(catalogue.text(1), "Step 1");
  EXPECT_EQ(catalogue.text(2), "b2");
}

TEST_F(LoadLanguage, UnreadableFileLeavesEnglishAndNoVersion) {
  // Larger than the limit: the file exists but is refused.
  test::write_file(dir.file("Huge.lng"), "//VERSION 5\nSTR0 = X\n" + std::string(kMaxLanguageBytes, ' '));
  load("Huge");
  EXPECT_EQ(catalogue.Texts_Language, "Huge");
  EXPECT_EQ(catalogue.text(0), "Begin");
  EXPECT_EQ(catalogue.Language_Version, "NO VER.");
}

TEST(WriteLanguageFile, ReadsBackAsTheSameTable) {
  TextTable original;
  original.Fill_English_Texts();
  original.Put(5, "");
  original.Put(6, " lead");
  original.Put(7, "trail\t");
  original.Put(8, "caf\xC3\xA9 = ok");
  std::string file = write_language_file(original, "3.2");
  ASSERT_TRUE(file.starts_with("\xEF\xBB\xBF//VERSION 3.2\r\n"));

  TextTable back;
  back.Fill_English_Texts();
  for (int i = 0; i < back.Count(); ++i)
    back.Put(i, "changed");
  std::string version;
  apply_language_text(decode_text_file(file), back, version);
  EXPECT_EQ(version, "3.2");
  for (int i = 0; i < original.Count(); ++i)
    ASSERT_EQ(back.Get(i), original.Get(i)) << "entry " << i;
}

} // namespace
} // namespace lw
