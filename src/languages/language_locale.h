#pragma once
#include <string_view>

namespace lw {

// The locale code (ISO 639-1) of a shipped language, named as its language
// file is; a language not shipped with the program counts as English.
std::string_view locale_of_language(std::string_view language_name);

} // namespace lw
