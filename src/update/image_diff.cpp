#include "update/image_diff.h"

#include "core/text_ids.h"
#include "formats/json.h"
#include "formats/utf8.h"
#include "params/par_gen.h"

#include <array>
#include <cstdio>

namespace lw {

namespace {
using image::read_le;

ShownValue number(std::uint32_t v) { return {std::to_string(v)}; }

ShownValue item(const char* element, std::size_t index) {
  return {std::string(par_gen_field(element).items[index])};
}

// A byte the device reads as one of the editor's choices, by the byte's
// value; anything else is shown as the number it is.
ShownValue choice_of(const char* element, std::uint32_t v, std::initializer_list<std::uint32_t> values) {
  std::size_t index = 0;
  for (std::uint32_t known : values) {
    if (known == v) return item(element, index);
    ++index;
  }
  return number(v);
}

ShownValue flag(bool on) { return {{}, on ? text_id::kFlagOn : text_id::kFlagOff}; }

ShownValue dotted(const std::uint8_t* p) {
  return {std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." +
          std::to_string(p[3])};
}

using Decode = ShownValue (*)(const std::uint8_t* image);

// Bytes of the image a field is read from, and the bits of each it uses.
struct Claim {
  std::size_t offset;
  std::size_t bytes;
  std::uint8_t mask = 0xFF;
};

// A field of the editor, by its element in ParGen.xml (which gives its label
// and choices), read back from the image as the compiler writes it.
struct Readable {
  const char* element;
  Decode decode;
  Claim claim;
};

namespace at = image::at;
std::uint32_t input_channels(const std::uint8_t* b) { return read_le(b + at::dmx_input_channels, 2); }

const Readable kReadable[] = {
    {"DMX_DMX",
     [](const std::uint8_t* b) { return item("DMX_DMX", input_channels(b) != 0 ? 0 : 1); },
     {at::dmx_input_channels, 4}},
    {"DMX_Num_Channels",
     [](const std::uint8_t* b) { return number(image::dmx_channel_count(b)); },
     {at::dmx_input_channels, 4}},
    {"DMX_END_LINE_RES",
     [](const std::uint8_t* b) { return flag(b[at::dmx_line] & 0x80); },
     {at::dmx_line, 1, 0x80}},
    {"MODBUS_SLAVE_SERIAL",
     [](const std::uint8_t* b) {
       return choice_of("MODBUS_SLAVE_SERIAL", b[at::serial_interface], {1, 0});
     },
     {at::serial_interface, 1}},
    {"MODBUS_SLAVE_BAUDRATE",
     [](const std::uint8_t* b) { return number(read_le(b + at::baud_rate, 4)); },
     {at::baud_rate, 4}},
    {"MODBUS_SLAVE_PARITY",
     [](const std::uint8_t* b) {
       return choice_of("MODBUS_SLAVE_PARITY", b[at::parity], {0, 1, 2});
     },
     {at::parity, 1}},
    {"MODBUS_SLAVE_STOPBITS",
     [](const std::uint8_t* b) {
       return choice_of("MODBUS_SLAVE_STOPBITS", b[at::stop_bits], {0, 2});
     },
     {at::stop_bits, 1}},
    {"MODBUS_SLAVE_IDDEVICE",
     [](const std::uint8_t* b) { return number(read_le(b + at::modbus_address, 4)); },
     {at::modbus_address, 4}},
    {"MODBUS_SLAVE_DMX_MAP",
     [](const std::uint8_t* b) { return flag(b[at::dmx_mapping] & 0x01); },
     {at::dmx_mapping, 1, 0x01}},
    {"Ethernet_IP1", [](const std::uint8_t* b) { return dotted(b + at::ip_address); }, {at::ip_address, 4}},
    {"Ethernet_SM1", [](const std::uint8_t* b) { return dotted(b + at::subnet_mask); }, {at::subnet_mask, 4}},
    // A gateway left off is written as 255.255.255.255, which the device
    // reads as no gateway.
    {"Ethernet_EN_GAT",
     [](const std::uint8_t* b) {
       return read_le(b + at::gateway, 4) == 0xFFFFFFFF ? flag(false) : dotted(b + at::gateway);
     },
     {at::gateway, 4}},
};

std::string offset_name(std::size_t offset) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%03zX", offset);
  return buf;
}

// The bits of the parameter block that differ and no listed field explains,
// as changes of the layout's own fields (or of the gap's bytes).
void add_unexplained(const std::uint8_t* a, const std::uint8_t* b,
                     const std::array<std::uint8_t, 2048>& explained, ImageDiff& diff) {
  auto differs = [&](std::size_t offset, std::size_t bytes) {
    for (std::size_t i = offset; i < offset + bytes; ++i)
      if ((a[i] ^ b[i]) & ~explained[i]) return true;
    return false;
  };
  for (const auto& row : image::kLayout)
    for (std::size_t i = 0; i < row.count; ++i) {
      std::size_t offset = row.offset + i * row.width;
      if (!differs(offset, row.width)) continue;
      std::string name = row.count == 1 ? std::string(row.name) : offset_name(offset);
      diff.fields.push_back({text_id::kNone, name, number(read_le(a + offset, row.width)),
                             number(read_le(b + offset, row.width))});
    }
  for (std::size_t offset = image::kGapOffset; offset < image::kGapOffset + image::kGapSize; ++offset)
    if (differs(offset, 1))
      diff.fields.push_back({text_id::kNone, offset_name(offset), number(a[offset]), number(b[offset])});
  if (differs(image::kChecksumOffset, 4))
    diff.fields.push_back({text_id::kPreviewChecksum,
                           {},
                           {image::hex32(read_le(a + image::kChecksumOffset, 4))},
                           {image::hex32(read_le(b + image::kChecksumOffset, 4))}});
}

std::string field_name(const FieldChange& c, const TextTable& texts) {
  return c.label != text_id::kNone ? texts.Get(c.label) : c.name;
}

std::string channel_name(const ChannelChange& c, const TextTable& texts) {
  std::string out = texts.Get(text_id::kPreviewChannel) + " " + std::to_string(c.channel);
  // A mnemonic comes from a file edited by hand: it must neither break the
  // line nor reach a terminal as an escape sequence.
  if (!c.mnemonic.empty()) out += " (" + utf8::printable(c.mnemonic) + ")";
  return out;
}
} // namespace

const std::string& shown_text(const ShownValue& v, const TextTable& texts) {
  return v.text_index != text_id::kNone ? texts.Get(v.text_index) : v.text;
}

std::vector<ImageField> image_fields(const image::Image& image) {
  std::vector<ImageField> fields;
  for (const Readable& field : kReadable)
    fields.push_back({par_gen_field(field.element).view.label, field.decode(image.data())});
  return fields;
}

ImageDiff diff_images(const image::Image& before, const image::Image& after, const DMX_Def_Table* table) {
  ImageDiff diff;
  const std::uint8_t* a = before.data();
  const std::uint8_t* b = after.data();
  std::array<std::uint8_t, 2048> explained{};
  for (const Readable& field : kReadable) {
    ShownValue old_value = field.decode(a), new_value = field.decode(b);
    if (old_value == new_value) continue;
    diff.fields.push_back({par_gen_field(field.element).view.label, {}, old_value, new_value});
    for (std::size_t i = field.claim.offset; i < field.claim.offset + field.claim.bytes; ++i)
      explained[i] |= field.claim.mask;
  }
  add_unexplained(a, b, explained, diff);
  for (std::size_t i = 0; i < image::kDmxBlockSize; ++i) {
    int old_value = a[image::kParamBlockSize + i], new_value = b[image::kParamBlockSize + i];
    if (old_value == new_value) continue;
    std::string mnemonic = table && i < table->size() ? (*table)[i].Mnemonic : std::string();
    diff.channels.push_back({static_cast<int>(i) + 1, old_value, new_value, mnemonic});
  }
  return diff;
}

std::string diff_text(const ImageDiff& diff, const TextTable& texts) {
  if (diff.equal()) return texts.Get(text_id::kPreviewNoChange) + "\n";
  std::string out;
  for (const FieldChange& c : diff.fields)
    out += field_name(c, texts) + ": " + shown_text(c.before, texts) + " -> " + shown_text(c.after, texts) +
           "\n";
  if (diff.channels.empty()) return out;
  out += texts.Get(text_id::kPreviewChannelsChanged) + " " + std::to_string(diff.channels.size()) + "\n";
  std::size_t listed = std::min(diff.channels.size(), kChannelsListed);
  for (std::size_t i = 0; i < listed; ++i) {
    const ChannelChange& c = diff.channels[i];
    out += "  " + channel_name(c, texts) + ": " + std::to_string(c.before) + " -> " +
           std::to_string(c.after) + "\n";
  }
  if (listed < diff.channels.size())
    out += "  " + texts.Get(text_id::kPreviewMoreChannels) + " " +
           std::to_string(diff.channels.size() - listed) + "\n";
  return out;
}

std::string diff_json(const ImageDiff& diff, const TextTable& texts) {
  auto quoted = [](const std::string& s) { return "\"" + json_escape(s) + "\""; };
  std::string out = "{\"equal\":" + std::string(diff.equal() ? "true" : "false") + ",\"fields\":[";
  for (std::size_t i = 0; i < diff.fields.size(); ++i) {
    const FieldChange& c = diff.fields[i];
    out += (i ? "," : "") +
           ("{\"name\":" + quoted(field_name(c, texts)) + ",\"old\":" + quoted(shown_text(c.before, texts)) +
            ",\"new\":" + quoted(shown_text(c.after, texts)) + "}");
  }
  out += "],\"channels_changed\":" + std::to_string(diff.channels.size()) + ",\"channels\":[";
  for (std::size_t i = 0; i < diff.channels.size(); ++i) {
    const ChannelChange& c = diff.channels[i];
    out += (i ? "," : "") +
           ("{\"channel\":" + std::to_string(c.channel) + ",\"mnemonic\":" + quoted(c.mnemonic) +
            ",\"old\":" + std::to_string(c.before) + ",\"new\":" + std::to_string(c.after) + "}");
  }
  return out + "]}\n";
}

} // namespace lw
