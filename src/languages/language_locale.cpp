#include "languages/language_locale.h"

#include <algorithm>
#include <cctype>

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

// File names may differ in case ("english.lng" is listed as english).
bool same_ignoring_ascii_case(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}
} // namespace

std::string_view locale_of_language(std::string_view language_name) {
  for (const LanguageLocale& l : kShipped)
    if (same_ignoring_ascii_case(l.name, language_name)) return l.locale;
  return kEnglish;
}

} // namespace lw
