#include "core/portable_name.h"

#include "formats/utf8.h"

#include <algorithm>
#include <array>

namespace lw {

namespace {
constexpr std::string_view kForbidden = "\\/<>:\"|?*";

// The ports' numbers Windows reserves: 0 to 9, and the superscripts one to
// three (in UTF-8), which it takes for 1 to 3.
constexpr std::array<std::string_view, 13> kPortNumbers = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};

// Windows takes "con.txt" and "con .txt" for the device too: the part
// before the first dot, trailing spaces aside, decides.
bool is_device_name(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ')
    stem.remove_suffix(1);
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kDevices)
    if (utf8::same_ignoring_ascii_case(stem, device)) return true;
  if (stem.size() < 4) return false;
  std::string_view port = stem.substr(0, 3), number = stem.substr(3);
  return (utf8::same_ignoring_ascii_case(port, "COM") || utf8::same_ignoring_ascii_case(port, "LPT")) &&
         std::ranges::find(kPortNumbers, number) != kPortNumbers.end();
}
} // namespace

bool is_portable_name(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || kForbidden.find(c) != std::string_view::npos) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  // Windows holds names in UTF-16, and a C1 control (U+0080..U+009F) is as
  // much a terminal's escape as ESC is.
  if (!utf8::is_valid(name) || utf8::printable(name) != name) return false;
  return !is_device_name(name);
}

} // namespace lw
