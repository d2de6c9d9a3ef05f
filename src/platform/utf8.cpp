#include "platform/utf8.h"

namespace lw::utf8 {

namespace {
// The length of the well-formed UTF-8 sequence at b[i], 0 when there is none.
std::size_t sequence_length(std::string_view b, std::size_t i) {
  auto c = static_cast<unsigned char>(b[i]);
  if (c < 0x80) return 1;
  std::size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
  if (c >= 0xC2 && c <= 0xDF)
    len = 2;
  else if (c >= 0xE0 && c <= 0xEF)
    len = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
  else if (c >= 0xF0 && c <= 0xF4)
    len = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
  else
    return 0;
  if (i + len > b.size()) return 0;
  auto second = static_cast<unsigned char>(b[i + 1]);
  if (second < lo || second > hi) return 0;
  for (std::size_t k = 2; k < len; ++k)
    if ((static_cast<unsigned char>(b[i + k]) & 0xC0) != 0x80) return 0;
  return len;
}

bool is_control(std::string_view b, std::size_t i, std::size_t len) {
  auto c = static_cast<unsigned char>(b[i]);
  if (len == 1) return (c < 0x20 && c != '\t') || c == 0x7F;
  // U+0080..U+009F, which terminals may take as C1 control codes.
  return len == 2 && c == 0xC2 && static_cast<unsigned char>(b[i + 1]) < 0xA0;
}
} // namespace

bool is_valid(std::string_view b) {
  for (std::size_t i = 0; i < b.size();) {
    std::size_t len = sequence_length(b, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = sequence_length(text, i);
    if (len == 0 || is_control(text, i, len)) {
      out += '?';
      i += len == 0 ? 1 : len;
    } else {
      out.append(text.substr(i, len));
      i += len;
    }
  }
  return out;
}

std::string ascii_lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

} // namespace lw::utf8
