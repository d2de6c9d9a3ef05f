#include "image/inspect.h"

#include "formats/json.h"
#include "image/image_layout.h"

#include <cstdio>

namespace lw::image {

namespace {
std::string dotted(const std::uint8_t* p) {
  return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." +
         std::to_string(p[3]);
}

std::string choice_or_number(std::uint32_t v, std::initializer_list<const char*> names) {
  if (v < names.size()) return names.begin()[v];
  return "unknown (" + std::to_string(v) + ")";
}

} // namespace

Inspection inspect(std::string_view bytes) {
  Inspection in;
  in.size = bytes.size();
  in.size_ok = bytes.size() == kImageSize;
  const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (bytes.size() >= kParamBlockSize) {
    in.has_parameters = true;
    auto u = [&](std::size_t offset, int width) { return read_le(b + offset, width); };
    std::uint32_t in_channels = u(at::dmx_input_channels, 2), out_channels = u(at::dmx_output_channels, 2);
    bool gateway_off = u(at::gateway, 4) == 0xFFFFFFFF;
    std::uint32_t stop = u(at::stop_bits, 1);
    in.fields = {
        {"ip_address", dotted(b + at::ip_address)},
        {"subnet_mask", dotted(b + at::subnet_mask)},
        {"gateway", gateway_off ? "disabled" : dotted(b + at::gateway)},
        {"modbus_address", std::to_string(u(at::modbus_address, 4))},
        {"serial_interface", u(at::serial_interface, 1) == 1 ? "RS232"
                             : u(at::serial_interface, 1) == 0
                                 ? "RS485"
                                 : "unknown (" + std::to_string(u(at::serial_interface, 1)) + ")"},
        {"baud_rate", std::to_string(u(at::baud_rate, 4))},
        {"parity", choice_or_number(u(at::parity, 1), {"none", "odd", "even"})},
        {"stop_bits", stop == 0   ? "1"
                      : stop == 2 ? "2"
                                  : "unknown (" + std::to_string(stop) + ")"},
        {"data_bits", std::to_string(u(at::data_bits, 1))},
        {"dmx_direction", in_channels != 0 ? "IN" : "OUT"},
        {"dmx_channels", std::to_string(in_channels != 0 ? in_channels : out_channels)},
        {"dmx_end_line_resistor", (u(at::dmx_line, 1) & 0x80) ? "on" : "off"},
        {"one_channel_per_register", (u(at::dmx_mapping, 1) & 0x01) ? "on" : "off"},
    };
    in.stored_checksum = u(kChecksumOffset, 4);
    in.computed_checksum = checksum(b);
    for (const auto& row : kLayout) {
      if (!row.name.starts_with("fixed_")) continue;
      for (std::size_t i = 0; i < row.count; ++i) {
        std::size_t offset = row.offset + i * row.width;
        std::uint32_t v = u(offset, row.width);
        if (v != row.reset) in.changed_fixed.push_back({offset, row.width, v, row.reset});
      }
    }
    for (std::size_t i = kGapOffset; i < kGapOffset + kGapSize; ++i)
      if (b[i] != 0) in.changed_fixed.push_back({i, 1, b[i], 0});
  }
  for (std::size_t i = kParamBlockSize; i < bytes.size() && i < kImageSize; ++i) {
    int channel = static_cast<int>(i - kParamBlockSize) + 1;
    int value = b[i];
    if (value == 0) continue;
    if (!in.dmx.empty() && in.dmx.back().last == channel - 1 && in.dmx.back().value == value)
      in.dmx.back().last = channel;
    else
      in.dmx.push_back({channel, channel, value});
  }
  return in;
}

std::string inspection_text(const Inspection& in) {
  std::string out =
      "size: " + std::to_string(in.size) + " bytes" + (in.size_ok ? "" : " (expected 2560)") + "\n";
  if (!in.has_parameters) return out + "the parameter block is incomplete\n";
  for (const auto& [name, value] : in.fields)
    out += name + ": " + value + "\n";
  out += "checksum: stored " + hex32(in.stored_checksum) + ", computed " + hex32(in.computed_checksum) +
         (in.stored_checksum == in.computed_checksum ? " (match)" : " (MISMATCH)") + "\n";
  out += "fixed fields changed: " + std::string(in.changed_fixed.empty() ? "none" : "") + "\n";
  for (const auto& c : in.changed_fixed) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "  offset %zu (0x%03zX): %u, reset %u\n", c.offset, c.offset, c.value,
                  c.reset);
    out += buf;
  }
  out += "dmx channels not zero: " + std::string(in.dmx.empty() ? "none" : "") + "\n";
  for (const auto& r : in.dmx) {
    out += "  " + std::to_string(r.first) + (r.last != r.first ? "-" + std::to_string(r.last) : "") + ": " +
           std::to_string(r.value) + "\n";
  }
  return out;
}

std::string inspection_json(const Inspection& in) {
  std::string out =
      "{\"size\":" + std::to_string(in.size) + ",\"size_ok\":" + (in.size_ok ? "true" : "false");
  out += ",\"sound\":" + std::string(in.sound() ? "true" : "false");
  if (in.has_parameters) {
    out += ",\"fields\":{";
    for (std::size_t i = 0; i < in.fields.size(); ++i)
      out += (i ? "," : "") +
             ("\"" + json_escape(in.fields[i].first) + "\":\"" + json_escape(in.fields[i].second) + "\"");
    out += "},\"checksum\":{\"stored\":\"" + hex32(in.stored_checksum) + "\",\"computed\":\"" +
           hex32(in.computed_checksum) + "\"},\"fixed_changed\":[";
    for (std::size_t i = 0; i < in.changed_fixed.size(); ++i) {
      const auto& c = in.changed_fixed[i];
      out += (i ? "," : "") +
             ("{\"offset\":" + std::to_string(c.offset) + ",\"width\":" + std::to_string(c.width) +
              ",\"value\":" + std::to_string(c.value) + ",\"reset\":" + std::to_string(c.reset) + "}");
    }
    out += "]";
  }
  out += ",\"dmx\":[";
  for (std::size_t i = 0; i < in.dmx.size(); ++i) {
    const auto& r = in.dmx[i];
    out += (i ? "," : "") + ("{\"first\":" + std::to_string(r.first) + ",\"last\":" + std::to_string(r.last) +
                             ",\"value\":" + std::to_string(r.value) + "}");
  }
  return out + "]}\n";
}

} // namespace lw::image
