#include "formats/utf8.h"

#include <algorithm>
#include <cstdio>

namespace lw::utf8 {

std::size_t sequence_length(std::string_view b) {
  if (b.empty()) return 0;
  auto c = static_cast<unsigned char>(b[0]);
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
  if (len > b.size()) return 0;
  auto second = static_cast<unsigned char>(b[1]);
  if (second < lo || second > hi) return 0;
  for (std::size_t k = 2; k < len; ++k)
    if ((static_cast<unsigned char>(b[k]) & 0xC0) != 0x80) return 0;
  return len;
}

namespace {
bool is_control(std::string_view b, std::size_t i, std::size_t len) {
  auto c = static_cast<unsigned char>(b[i]);
  if (len == 1) return (c < 0x20 && c != '\t') || c == 0x7F;
  // U+0080..U+009F, which terminals may take as C1 control codes.
  return len == 2 && c == 0xC2 && static_cast<unsigned char>(b[i + 1]) < 0xA0;
}
} // namespace

bool is_valid(std::string_view b) {
  std::size_t i = 0;
  while (i < b.size()) {
    // Most text is ASCII: a byte at a time, with no call.
    if (static_cast<unsigned char>(b[i]) < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = sequence_length(b.substr(i));
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = sequence_length(text.substr(i));
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

std::string cut(std::string_view text, std::size_t max_chars) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (++characters > max_chars) return std::string(text.substr(0, at)) + std::string(kCutMark);
  }
  return std::string(text);
}

std::string printable(std::string_view text, std::size_t max_chars) {
  return printable(cut(text, max_chars));
}

char32_t next(std::string_view valid, std::size_t& at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(valid[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length && at + k < valid.size(); ++k)
    c = (c << 6) | (byte(at + k) & 0x3F);
  at += length;
  return c;
}

bool is_xml_char(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return (c < 0xD800 || c > 0xDFFF) && c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

std::optional<char32_t> first_non_xml_char(std::string_view valid) {
  for (std::size_t at = 0; at < valid.size();)
    if (char32_t c = next(valid, at); !is_xml_char(c)) return c;
  return std::nullopt;
}

std::string code_point_text(char32_t c) {
  char code[12];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  return code;
}

std::string ascii_lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = ascii_lower(c);
  return out;
}

bool same_ignoring_ascii_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

} // namespace lw::utf8
