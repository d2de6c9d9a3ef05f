#include "languages/language_locale.h"

#include "formats/utf8.h"

namespace lw {

namespace {
struct LanguageLocale {
  std::string_view name;
  std::string_view locale;
};
constexpr LanguageLocale kShipped[] = {
    {"English", "en"}, {"Italiano", "it"}, {"Deutsch", "de"}, {"Français", "fr"}, {"Español", "es"},
};
constexpr std::string_view kEnglish = "en";
} // namespace

std::string_view locale_of_language(std::string_view language_name) {
  // File names may differ in case ("english.lng" is listed as english); the
  // fold is ASCII's whatever the locale, so "FRANÇAIS" is no Français.
  for (const LanguageLocale& l : kShipped)
    if (utf8::same_ignoring_ascii_case(l.name, language_name)) return l.locale;
  return kEnglish;
}

} // namespace lw
