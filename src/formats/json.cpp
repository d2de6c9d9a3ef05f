#include "formats/json.h"

#include "formats/utf8.h"

#include <cstdio>

namespace lw {

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
}

std::string json_escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '"' || c == '\\')
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

std::string json_string(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8::sequence_length(text.substr(at));
    if (length == 0)
      valid += kReplacement;
    else
      valid.append(text.substr(at, length));
    at += length == 0 ? 1 : length;
  }
  return "\"" + json_escape(valid) + "\"";
}

} // namespace lw
