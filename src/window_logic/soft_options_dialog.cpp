#include "window_logic/soft_options_dialog.h"

#include "core/catalogue.h"
#include "core/portable_name.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text_ids.h"
#include "formats/utf8.h"
#include "languages/language_file.h"
#include "options/version_check.h"
#include "platform/files.h"
#include "platform/url_opener.h"
#include "window_logic/startup.h"

#include <algorithm>
#include <cstring>

namespace lw {

namespace {
constexpr std::string_view kExtension = ".lng";
constexpr const char* kDefaultFlag = "DefaultFlag.bmp";

// Case folded for sorting: ASCII letters, and the capitals of the Latin-1
// range of UTF-8 (U+00C0..U+00DE but the multiplication sign, all behind
// the lead byte C3) made their small letters.
std::string fold(const std::string& s) {
  std::string out = s;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (static_cast<unsigned char>(out[i]) == 0xC3 && i + 1 < out.size()) {
      auto d = static_cast<unsigned char>(out[i + 1]);
      if (d >= 0x80 && d <= 0x9E && d != 0x97) out[i + 1] = static_cast<char>(d + 0x20);
      ++i;
    } else {
      out[i] = utf8::ascii_lower(out[i]);
    }
  }
  return out;
}
} // namespace

CheckEnabling Update_CheckBox(const OptionChecks& c) {
  bool update_enabled = c.En_Con;
  return {update_enabled, update_enabled && c.Update};
}

SoftOptionsLogic::SoftOptionsLogic(const ProgramFolders& folders, Settings& settings, Catalogue& catalogue,
                                   UserMessages& messages, UpdateTimer& timer, HttpClient& http,
                                   UrlOpener& urls, std::function<void()> change_language, std::string server)
    : folders_(folders), settings_(settings), catalogue_(catalogue), messages_(messages), timer_(timer),
      http_(http), urls_(urls), change_language_(std::move(change_language)), server_(std::move(server)) {}

OptionChecks SoftOptionsLogic::FormShow() {
  Language_In_Use = settings_.Language_Name;
  Create_Lang_List();
  return {settings_.Enable_Internet, settings_.Enable_Update, settings_.Enable_Jump_Fields,
          settings_.Auto_Size_Columns};
}

void SoftOptionsLogic::Create_Lang_List() {
  SL_Languages.clear();
  for (const auto& e : fs::list_dir(folders_.Language_Dir)) {
    // Read-only files and links are left out, as files carrying those
    // attributes would be; hidden files are listed.
    if (e.is_dir || e.is_symlink || !e.owner_writable) continue;
    if (e.name.size() <= kExtension.size() || !e.name.ends_with(kExtension)) continue;
    // A language whose name Windows can't hold is left out on every system,
    // so the list is the same wherever the folder is copied.
    if (!is_portable_name(std::string_view(e.name).substr(0, e.name.size() - kExtension.size()))) continue;
    SL_Languages.push_back(e.name);
  }
  std::sort(SL_Languages.begin(), SL_Languages.end(), [](const std::string& a, const std::string& b) {
    std::string fa = fold(a), fb = fold(b);
    int c = std::strcoll(fa.c_str(), fb.c_str());
    return c != 0 ? c < 0 : a < b;
  });
  Show_Page = 1;
}

std::string SoftOptionsLogic::selected_text() const {
  return catalogue_.text(text_id::kSelectedLanguage) + Language_In_Use;
}

std::string SoftOptionsLogic::counter(int page) const {
  return catalogue_.text(text_id::kPageCounterPrefix) + std::to_string(page) +
         catalogue_.text(text_id::kPageCounterSeparator) + std::to_string(page_count());
}

LanguagePage SoftOptionsLogic::Update_Lang_Page(int Num_Page) const {
  LanguagePage p;
  p.selected = selected_text();
  p.counter = counter(Num_Page);
  p.prev_visible = Num_Page != 1;
  p.next_visible = Num_Page != page_count();
  int n = std::min(static_cast<int>(SL_Languages.size()) - (Num_Page - 1) * kLanguageSlots, kLanguageSlots);
  p.entries[0].visible = true; // slot 1 is never hidden
  for (int k = 1; k <= n; ++k) {
    LanguageSlot& slot = p.entries[k - 1];
    slot.visible = true;
    const std::string& file = SL_Languages[static_cast<std::size_t>((Num_Page - 1) * kLanguageSlots + k - 1)];
    slot.name = file.substr(0, file.size() - kExtension.size());
    for (std::string candidate : {slot.name + ".bmp", std::string(kDefaultFlag)}) {
      std::string path = fs::join(folders_.Language_Dir, candidate);
      if (fs::is_file(path)) slot.flags.push_back(path);
    }
  }
  return p;
}

LanguagePage SoftOptionsLogic::Btn_NextClick(bool next) {
  if (next && page_count() >= Show_Page + 1) ++Show_Page;
  if (!next && Show_Page >= 2) --Show_Page;
  return Update_Lang_Page(Show_Page);
}

bool SoftOptionsLogic::LangClick(int slot) {
  std::size_t number = static_cast<std::size_t>((Show_Page - 1) * kLanguageSlots + slot - 1);
  if (slot < 1 || slot > kLanguageSlots || number >= SL_Languages.size()) return false;
  const std::string& file = SL_Languages[number];
  std::string chosen = file.substr(0, file.size() - kExtension.size());
  if (!messages_.confirm(catalogue_.text(text_id::kAskChangeLanguageFrom) + Language_In_Use +
                         catalogue_.text(text_id::kAskChangeLanguageTo) + chosen +
                         catalogue_.text(text_id::kAskChangeLanguageEnd)))
    return false;
  Language_In_Use = chosen;
  if (auto problem = Load_Language(catalogue_, folders_.Language_Dir, chosen)) messages_.warning(*problem);
  if (change_language_) change_language_();
  return true;
}

SoftOptionsLogic::CheckResult SoftOptionsLogic::Btn_Check_UpdateClick() {
  if (Check_Version(http_, server_))
    return {true, catalogue_.text(text_id::kNewVersionAvailable), download_page_url(kVendorServer)};
  return {false, catalogue_.text(text_id::kNoUpdateAvailable), {}};
}

void SoftOptionsLogic::LL_Check_UpdateLinkClick(const std::string& link) { urls_.open(link); }

void SoftOptionsLogic::Btn_CancelClick() {
  if (Language_In_Use == settings_.Language_Name) return;
  // The texts on screen are those of the language tried; Cancel keeps the
  // stored one, so the screen goes back to it.
  Language_In_Use = settings_.Language_Name;
  if (auto problem = load_chosen_language(catalogue_, folders_.Language_Dir, settings_))
    messages_.warning(*problem);
  if (change_language_) change_language_();
}

void SoftOptionsLogic::Btn_OKClick(const OptionChecks& c) {
  settings_.Language_Name = Language_In_Use;
  settings_.Enable_Internet = c.En_Con;
  settings_.Enable_Update = c.Update;
  apply_timer_rule(settings_, timer_);
  settings_.Enable_Jump_Fields = c.Jump_Table;
  settings_.Auto_Size_Columns = c.Auto_Size;
}

} // namespace lw
