#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lw {

struct ProgramFolders;
struct Settings;
struct Catalogue;
class UserMessages;
class UpdateTimer;
class HttpClient;
class UrlOpener;

inline constexpr int kLanguageSlots = 6;

// The check boxes of the options dialog, as shown.
struct OptionChecks {
  bool En_Con = false;
  bool Update = false;
  bool Jump_Table = false;
  bool Auto_Size = false;
};

// The enabling rule of the connection options.
struct CheckEnabling {
  bool Update_enabled;
  bool Check_Update_enabled;
};
CheckEnabling Update_CheckBox(const OptionChecks& checks);

// One language slot of a page: its name and the flag pictures to try in
// order (a picture that can't be read counts as missing).
struct LanguageSlot {
  bool visible = false;
  std::string name;
  std::vector<std::string> flags;
};

struct LanguagePage {
  std::string selected; // "Selected Language : " and the language in use
  std::string counter;  // "Page 2 / 3"
  bool prev_visible = false;
  bool next_visible = false;
  LanguageSlot entries[kLanguageSlots];
};

// The software options dialog's decisions.
class SoftOptionsLogic {
public:
  // A language tried is loaded into the catalogue at once; the settings
  // change only on OK.
  SoftOptionsLogic(const ProgramFolders& folders, Settings& settings, Catalogue& catalogue,
                   UserMessages& messages, UpdateTimer& timer, HttpClient& http, UrlOpener& urls,
                   std::function<void()> change_language, std::string server);

  // At every showing: the language state and the check boxes to show.
  OptionChecks FormShow();
  void Create_Lang_List();
  LanguagePage Update_Lang_Page(int Num_Page) const;
  LanguagePage Btn_NextClick(bool next);
  // A click on slot k (1..6); true when the language changed.
  bool LangClick(int slot);
  // Runs the check now: the link text and target, or the plain text.
  struct CheckResult {
    bool newer;
    std::string text;
    std::string link;
  };
  CheckResult Btn_Check_UpdateClick();
  // A click on the check's link opens its target.
  void LL_Check_UpdateLinkClick(const std::string& link);
  void Btn_OKClick(const OptionChecks& checks);
  // Cancel, Escape or the close box: a language tried in the dialog is put
  // back to the stored one, so what the screen shows is what is kept.
  void Btn_CancelClick();

  int page_count() const { return (static_cast<int>(SL_Languages.size()) + 5) / 6; }
  // The counter as after a language change: the page shown, the real count.
  std::string counter(int page) const;
  std::string selected_text() const;

  std::vector<std::string> SL_Languages;
  int Show_Page = 1;
  std::string Language_In_Use;

private:
  const ProgramFolders& folders_;
  Settings& settings_;
  Catalogue& catalogue_;
  UserMessages& messages_;
  UpdateTimer& timer_;
  HttpClient& http_;
  UrlOpener& urls_;
  std::function<void()> change_language_;
  std::string server_;
};

} // namespace lw
