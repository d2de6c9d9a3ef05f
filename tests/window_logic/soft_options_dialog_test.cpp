#include "fakes.h"
#include "program_folder.h"
#include "window_logic/soft_options_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

class Options : public testing::Test, public test::ProgramFolder {
protected:
  void languages(int n) {
    for (int i = 1; i <= n; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "L%02d.lng", i);
      test::write_file(language_file(name), "STR0 = x\n");
    }
  }
  test::FakeHttp http;
  test::FakeUrlOpener urls;
  int changes = 0;
  SoftOptionsLogic logic{
      folders, settings, catalogue, messages, timer, http, urls, [this] { ++changes; }, "http://server"};
};

struct PagesCase {
  int files;
  int pages;
  int slots_on_last;
};

class OptionsPages : public Options, public testing::WithParamInterface<PagesCase> {};

TEST_P(OptionsPages, SixLanguagesAPage) {
  languages(GetParam().files);
  logic.FormShow();
  EXPECT_EQ(logic.page_count(), GetParam().pages);
  LanguagePage first = logic.Update_Lang_Page(1);
  EXPECT_EQ(first.counter, "Page 1 / " + std::to_string(GetParam().pages));
  EXPECT_FALSE(first.prev_visible);
  EXPECT_EQ(first.next_visible, GetParam().pages > 1);
  LanguagePage last = first;
  for (int p = 1; p < GetParam().pages; ++p)
    last = logic.Btn_NextClick(true);
  EXPECT_EQ(logic.Show_Page, GetParam().pages);
  EXPECT_EQ(last.prev_visible, GetParam().pages > 1);
  EXPECT_FALSE(last.next_visible);
  for (int k = 0; k < kLanguageSlots; ++k)
    EXPECT_EQ(last.entries[k].visible, k < GetParam().slots_on_last) << k;
  // Next on the last page redraws it unchanged.
  EXPECT_EQ(logic.Btn_NextClick(true).counter, last.counter);
}

INSTANTIATE_TEST_SUITE_P(Counts, OptionsPages,
                         testing::Values(PagesCase{6, 1, 6}, PagesCase{7, 2, 1}, PagesCase{12, 2, 6},
                                         PagesCase{13, 3, 1}),
                         [](const auto& info) { return "files_" + std::to_string(info.param.files); });

TEST_F(Options, PreviousOnPageOneStaysAndNinthLanguageIsSlotThreeOfPageTwo) {
  languages(10);
  logic.FormShow();
  EXPECT_EQ(logic.Btn_NextClick(false).counter, "Page 1 / 2");
  logic.Btn_NextClick(true);
  EXPECT_EQ(logic.Update_Lang_Page(2).entries[2].name, "L09");
  messages.answer_yes = false;
  logic.LangClick(3);
  EXPECT_EQ(messages.last_text(), "Do you want to change the Language from English to L09?");
}

TEST_F(Options, SortedWithoutRegardToCaseAndFiltered) {
  std::vector<std::string> files = {"Italiano.lng", "english.lng",  "Deutsch.lng", ".Hidden.lng",
                                    "notes.txt",    "Readonly.lng", "Old..lng"};
#ifndef _WIN32
  // Windows holds no file by a device's name or with a '?', and its links
  // need the administrator's rights; its listing never offers these.
  files.insert(files.end(), {"Aux.lng", "Why?.lng"});
#endif
  for (const std::string& f : files)
    test::write_file(language_file(f), "");
#ifndef _WIN32
  stdfs::create_symlink(language_file("Deutsch.lng"), language_file("Linked.lng"));
#endif
  // On Windows this sets the file's read-only attribute.
  stdfs::permissions(language_file("Readonly.lng"), stdfs::perms::owner_read | stdfs::perms::group_read);
  stdfs::create_directories(language_file("Folder.lng"));
  logic.FormShow();
  EXPECT_EQ(logic.SL_Languages,
            (std::vector<std::string>{".Hidden.lng", "Deutsch.lng", "english.lng", "Italiano.lng"}));
}

TEST_F(Options, FlagFallsBackToTheDefaultFlag) {
  test::write_file(language_file("Deutsch.lng"), "");
  test::write_file(language_file("Italiano.lng"), "");
  test::write_file(language_file("Italiano.bmp"), "BM");
  logic.FormShow();
  LanguagePage p = logic.Update_Lang_Page(1);
  EXPECT_TRUE(p.entries[0].flags.empty());
  test::write_file(language_file("DefaultFlag.bmp"), "BM");
  p = logic.Update_Lang_Page(1);
  EXPECT_EQ(p.entries[0].flags, std::vector<std::string>{language_file("DefaultFlag.bmp")});
  EXPECT_EQ(p.entries[1].flags,
            (std::vector<std::string>{language_file("Italiano.bmp"), language_file("DefaultFlag.bmp")}));
}

TEST_F(Options, NoLanguageFileAtAll) {
  logic.FormShow();
  LanguagePage p = logic.Update_Lang_Page(1);
  EXPECT_EQ(p.counter, "Page 1 / 0");
  EXPECT_FALSE(p.prev_visible);
  EXPECT_TRUE(p.next_visible);
  EXPECT_TRUE(p.entries[0].visible);
  EXPECT_EQ(p.entries[0].name, "");
  EXPECT_EQ(logic.Btn_NextClick(true).counter, "Page 1 / 0");
  EXPECT_FALSE(logic.LangClick(1));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Options, ConfirmedLanguageIsLoadedButNotYetStored) {
  test::write_file(language_file("Deutsch.lng"), "STR15 = Neue Konfiguration\n");
  logic.FormShow();
  messages.answer_yes = false;
  EXPECT_FALSE(logic.LangClick(1));
  EXPECT_EQ(catalogue.text(15), "New Configuration");
  messages.answer_yes = true;
  EXPECT_TRUE(logic.LangClick(1));
  EXPECT_EQ(messages.last_text(), "Do you want to change the Language from English to Deutsch?");
  EXPECT_EQ(catalogue.text(15), "Neue Konfiguration");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(settings.Language_Name, "English");
  EXPECT_EQ(catalogue.Texts_Language, "Deutsch");
  EXPECT_EQ(logic.selected_text(), "Selected Language : Deutsch");
  logic.Btn_OKClick({});
  EXPECT_EQ(settings.Language_Name, "Deutsch");
}

// A language tried and then cancelled must not stay on screen while the
// stored one, written at close, is another.
TEST_F(Options, CancelPutsBackTheStoredLanguage) {
  test::write_file(language_file("Deutsch.lng"), "STR15 = Neue Konfiguration\n");
  logic.FormShow();
  messages.answer_yes = true;
  ASSERT_TRUE(logic.LangClick(1));
  ASSERT_EQ(catalogue.text(15), "Neue Konfiguration");
  logic.Btn_CancelClick();
  EXPECT_EQ(settings.Language_Name, "English");
  EXPECT_EQ(catalogue.text(15), "New Configuration");
  EXPECT_EQ(changes, 2);
  logic.Btn_CancelClick(); // nothing tried: nothing to put back
  EXPECT_EQ(changes, 2);
}

TEST_F(Options, LanguageDeletedBeforeConfirmingFallsBackButIsStored) {
  test::write_file(language_file("Deutsch.lng"), "");
  logic.FormShow();
  stdfs::remove(language_file("Deutsch.lng"));
  EXPECT_TRUE(logic.LangClick(1));
  EXPECT_EQ(logic.Language_In_Use, "Deutsch");
  logic.Btn_OKClick({});
  EXPECT_EQ(settings.Language_Name, "Deutsch");
}

TEST_F(Options, EnablingRule) {
  EXPECT_FALSE(Update_CheckBox({false, true, false, false}).Update_enabled);
  EXPECT_FALSE(Update_CheckBox({false, true, false, false}).Check_Update_enabled);
  EXPECT_TRUE(Update_CheckBox({true, false, false, false}).Update_enabled);
  EXPECT_FALSE(Update_CheckBox({true, false, false, false}).Check_Update_enabled);
  EXPECT_TRUE(Update_CheckBox({true, true, false, false}).Check_Update_enabled);
}

TEST_F(Options, OkStoresTheBoxesAndAppliesTheTimerRule) {
  logic.FormShow();
  logic.Btn_OKClick({false, true, true, false});
  EXPECT_FALSE(settings.Enable_Internet);
  EXPECT_TRUE(settings.Enable_Update);
  EXPECT_TRUE(settings.Enable_Jump_Fields);
  EXPECT_FALSE(timer.running);
  logic.Btn_OKClick({true, true, false, true});
  EXPECT_TRUE(timer.running);
  EXPECT_TRUE(settings.Auto_Size_Columns);
}

TEST_F(Options, CheckNowGivesTheLinkOrThePlainText) {
  http.reply = "VER. 1.002";
  auto r = logic.Btn_Check_UpdateClick();
  EXPECT_TRUE(r.newer);
  EXPECT_EQ(r.text, "New Version Available. Click Here for more Details");
  EXPECT_EQ(r.link, "http://www.quorvexsite.com/Home/download/download.asp#HD40873");
  http.reply.reset();
  r = logic.Btn_Check_UpdateClick();
  EXPECT_FALSE(r.newer);
  EXPECT_EQ(r.text, "No Update Available");
}

TEST_F(Options, CheckLinkOpensItsTarget) {
  http.reply = "VER. 1.002";
  auto r = logic.Btn_Check_UpdateClick();
  EXPECT_TRUE(urls.opened.empty());
  logic.LL_Check_UpdateLinkClick(r.link);
  EXPECT_EQ(urls.opened,
            std::vector<std::string>{"http://www.quorvexsite.com/Home/download/download.asp#HD40873"});
}

} // namespace
} // namespace lw
