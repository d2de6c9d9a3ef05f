#include "formats/json.h"

#include "formats/utf8.h"

#include <cstdio>

namespace lw {

std::string json_escape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // A byte that begins no UTF-8 character (a hand-edited file in another
      // encoding) would make the whole output something no JSON reader takes.
      const std::size_t length = utf8::sequence_length(s.substr(i));
      if (length == 0) {
        out += "\\ufffd";
      } else if (length == 2 && static_cast<unsigned char>(c) == 0xC2 &&
                 static_cast<unsigned char>(s[i + 1]) < 0xA0) {
        // U+0080 to U+009F: C1 controls, which a terminal obeys as it does C0.
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(s[i + 1]));
        out += buf;
        ++i;
      } else {
        out.append(s.substr(i, length));
        i += length - 1;
      }
    } else if (c == '"' || c == '\\')
      out += '\\', out += c;
    else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else
      out += c;
  }
  return out;
}

std::string json_string(std::string_view text) { return "\"" + json_escape(text) + "\""; }

} // namespace lw
