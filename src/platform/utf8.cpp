#include "platform/utf8.h"

namespace lw::utf8 {

bool is_valid(std::string_view b) {
  std::size_t i = 0;
  while (i < b.size()) {
    auto c = static_cast<unsigned char>(b[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
    if (c >= 0xC2 && c <= 0xDF)
      len = 2;
    else if (c >= 0xE0 && c <= 0xEF)
      len = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
    else if (c >= 0xF0 && c <= 0xF4)
      len = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
    else
      return false;
    if (i + len > b.size()) return false;
    auto second = static_cast<unsigned char>(b[i + 1]);
    if (second < lo || second > hi) return false;
    for (std::size_t k = 2; k < len; ++k)
      if ((static_cast<unsigned char>(b[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

std::string ascii_lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

} // namespace lw::utf8
