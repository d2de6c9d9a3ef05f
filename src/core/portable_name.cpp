#include "core/portable_name.h"

#include <algorithm>
#include <array>

namespace lw {

namespace {
constexpr std::string_view kForbidden = "\\/<>:\"|?*";

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_letters(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

// Windows takes "con.txt" and "con .txt" for the device too: the part
// before the first dot, trailing spaces aside, decides.
bool is_device_name(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ')
    stem.remove_suffix(1);
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kDevices)
    if (same_letters(stem, device)) return true;
  if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9') return false;
  return same_letters(stem.substr(0, 3), "COM") || same_letters(stem.substr(0, 3), "LPT");
}
} // namespace

bool is_portable_name(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || kForbidden.find(c) != std::string_view::npos) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  return !is_device_name(name);
}

} // namespace lw
