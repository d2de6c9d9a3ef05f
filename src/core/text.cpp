#include "core/text.h"

namespace lw {

std::optional<std::int32_t> parse_integer(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string_view trim_controls(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 0x20)
    ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20)
    --e;
  return text.substr(b, e - b);
}

std::string fill_places(std::string_view pattern, std::span<const std::string> values) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      auto place = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (place < values.size()) {
        out += values[place];
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

} // namespace lw
