#include "params/ip_address.h"

#include "core/text.h"

namespace lw {

namespace {
bool octet(const std::string& text) {
  auto v = parse_integer(text);
  return v && *v >= 0 && *v <= 255;
}
} // namespace

std::optional<OctetTexts> Split_IP_Address(const std::string& text) {
  OctetTexts out;
  std::string w(trim_controls(text));
  for (std::size_t i = 0; i < 3; ++i) {
    auto dot = w.find('.');
    if (dot == std::string::npos) return std::nullopt;
    out[i] = std::string(trim_controls(std::string_view(w).substr(0, dot)));
    w = std::string(trim_controls(std::string_view(w).substr(dot + 1)));
  }
  out[3] = w;
  for (const auto& o : out)
    if (!octet(o)) return std::nullopt;
  return out;
}

std::optional<OctetTexts> address_fields(const std::string& text) {
  OctetTexts fields;
  std::size_t start = 0;
  for (std::size_t part = 0; part < 3; ++part) {
    std::size_t dot = text.find('.', start);
    if (dot == std::string::npos) return std::nullopt;
    fields[part] = text.substr(start, dot - start);
    start = dot + 1;
  }
  fields[3] = text.substr(start);
  return fields;
}

std::string join_octets(const OctetTexts& f) { return f[0] + "." + f[1] + "." + f[2] + "." + f[3]; }

std::optional<std::array<std::uint8_t, 4>> usable_address(const std::string& joined) {
  std::array<std::uint8_t, 4> out{};
  std::size_t start = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    auto dot = joined.find('.', start);
    if ((i < 3) != (dot != std::string::npos)) return std::nullopt;
    std::string part = joined.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (!octet(part)) return std::nullopt;
    out[i] = static_cast<std::uint8_t>(*parse_integer(part));
    start = dot + 1;
  }
  return out;
}

OctetTexts octet_texts(const std::array<std::uint8_t, 4>& octets) {
  OctetTexts out;
  for (std::size_t i = 0; i < 4; ++i)
    out[i] = std::to_string(octets[i]);
  return out;
}

std::optional<std::string> canonical_address(const std::string& joined) {
  auto octets = usable_address(joined);
  if (!octets) return std::nullopt;
  return join_octets(octet_texts(*octets));
}

} // namespace lw
