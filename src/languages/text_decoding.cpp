#include "languages/text_decoding.h"

#include "formats/utf8.h"

#include <array>
#include <cstdint>

namespace lw {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// 0x80..0x9F of Windows-1252; the five unassigned bytes keep their C1 code
// points, as the Windows conversion does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string decode_cp1252(std::string_view b) {
  std::string out;
  out.reserve(b.size() + b.size() / 8);
  for (unsigned char c : b) {
    if (c < 0x80)
      out.push_back(static_cast<char>(c));
    else if (c < 0xA0)
      append_utf8(out, kCp1252High[c - 0x80]);
    else
      append_utf8(out, c);
  }
  return out;
}

std::string decode_utf8(std::string_view b) {
  std::string out;
  out.reserve(b.size());
  std::size_t i = 0;
  while (i < b.size()) {
    auto c = static_cast<unsigned char>(b[i]);
    if (c < 0x80) {
      // Most of a language file is ASCII: copy such runs whole.
      std::size_t run = i + 1;
      while (run < b.size() && static_cast<unsigned char>(b[run]) < 0x80)
        ++run;
      out.append(b.substr(i, run - i));
      i = run;
      continue;
    }
    int len = 0;
    char32_t cp = 0, min = 0;
    if (c >= 0xC2 && c <= 0xDF)
      len = 2, cp = c & 0x1F, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF)
      len = 3, cp = c & 0x0F, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
      len = 4, cp = c & 0x07, min = 0x10000;
    if (len == 0 || i + static_cast<std::size_t>(len) > b.size()) {
      // A lone or truncated lead byte: one replacement, then resync.
      append_utf8(out, kReplacement);
      ++i;
      while (len != 0 && i < b.size() && (static_cast<unsigned char>(b[i]) & 0xC0) == 0x80)
        ++i;
      continue;
    }
    int k = 1;
    for (; k < len; ++k) {
      auto cc = static_cast<unsigned char>(b[i + static_cast<std::size_t>(k)]);
      if ((cc & 0xC0) != 0x80) break;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      append_utf8(out, kReplacement);
      i += static_cast<std::size_t>(k < len ? k : len);
      continue;
    }
    out.append(b.substr(i, static_cast<std::size_t>(len)));
    i += static_cast<std::size_t>(len);
  }
  return out;
}

std::string decode_utf16(std::string_view b, bool big_endian) {
  std::string out;
  out.reserve(b.size());
  auto unit = [&](std::size_t i) -> char32_t {
    auto lo = static_cast<unsigned char>(b[i]), hi = static_cast<unsigned char>(b[i + 1]);
    return big_endian ? char32_t(lo << 8 | hi) : char32_t(hi << 8 | lo);
  };
  std::size_t i = 0;
  for (; i + 1 < b.size(); i += 2) {
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < b.size()) {
      char32_t v = unit(i + 2);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        append_utf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
        i += 2;
        continue;
      }
    }
    append_utf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
  }
  if (i < b.size()) append_utf8(out, kReplacement);
  return out;
}
} // namespace

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string decode_text_file(std::string_view b) {
  if (b.starts_with("\xEF\xBB\xBF")) return decode_utf8(b.substr(3));
  if (b.starts_with("\xFF\xFE")) return decode_utf16(b.substr(2), false);
  if (b.starts_with("\xFE\xFF")) return decode_utf16(b.substr(2), true);
  // Editors save UTF-8 without a mark by default; Windows-1252 text with
  // accents is almost never valid UTF-8, so validity tells the two apart.
  if (utf8::is_valid(b)) return std::string(b);
  return decode_cp1252(b);
}

} // namespace lw
