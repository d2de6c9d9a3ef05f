#include "image/compiler.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

namespace lw::image {

namespace {
constexpr std::size_t kImageBufferRoom = 131072;

std::size_t record_offset(std::size_t image_offset) {
  return image_offset < kGapOffset ? image_offset : image_offset - kGapSize;
}

// The compiler reads the file itself, with defaults of its own that differ
// from the editor's: they are never merged.
struct Reader {
  pugi::xml_node root;
  std::optional<std::string> text(const char* element) const {
    return xml::single_text(xml::child(root, element));
  }
  std::int32_t integer(const char* element, std::int32_t fallback) const {
    auto t = text(element);
    return t ? parse_integer(*t).value_or(fallback) : fallback;
  }
  bool is(const char* element, std::string_view wanted) const {
    auto t = text(element);
    return t && *t == wanted;
  }
};
} // namespace

std::string bank_file_path(const std::string& conf_dir) {
  return fs::join(fs::join(conf_dir, kBinFolder), kBankFile);
}

ImageCompiler::ImageCompiler() : Image_Buffer(kImageBufferRoom, 0) {}

std::uint8_t& ImageCompiler::byte(std::size_t image_offset) {
  return Param_Record[record_offset(image_offset)];
}

void ImageCompiler::set(std::size_t image_offset, int width, std::uint32_t value) {
  write_le(&Param_Record[record_offset(image_offset)], width, value);
}

void ImageCompiler::Reset_Parameters() {
  for (const auto& row : kLayout)
    for (std::size_t i = 0; i < row.count; ++i)
      set(row.offset + i * row.width, row.width, row.reset);
}

void ImageCompiler::Clear_DMX_Defaults() { DMX_Defaults.fill(0); }

void ImageCompiler::Read_ParGen(pugi::xml_node root) {
  Reader r{root};

  std::int32_t direction = r.integer("DMX_DMX", 1);
  auto channels = static_cast<std::uint16_t>(r.integer("DMX_Num_Channels", 512));
  if (r.is("DMX_END_LINE_RES", "1")) byte(at::dmx_line) |= 0x80;
  set(at::dmx_input_channels, 2, direction == 0 ? channels : 0);
  set(at::dmx_output_channels, 2, direction == 0 ? 0 : channels);

  byte(at::serial_interface) = r.is("MODBUS_SLAVE_SERIAL", "0") ? 1 : 0;
  std::int32_t baud = r.integer("MODBUS_SLAVE_BAUDRATE", 7);
  set(at::baud_rate, 4, baud >= 0 && baud < 8 ? kBaudRates[baud] : kFallbackBaudRate);
  byte(at::parity) = static_cast<std::uint8_t>(r.integer("MODBUS_SLAVE_PARITY", 0));
  auto stop_bits = static_cast<std::uint8_t>(r.integer("MODBUS_SLAVE_STOPBITS", 0));
  byte(at::stop_bits) = stop_bits == 1 ? 2 : stop_bits;
  byte(at::data_bits) = 8;
  set(at::modbus_address, 4, static_cast<std::uint32_t>(r.integer("MODBUS_SLAVE_IDDEVICE", 10)));
  if (r.is("MODBUS_SLAVE_DMX_MAP", "1")) byte(at::dmx_mapping) |= 0x01;

  struct Octets {
    std::size_t offset;
    const char* elements[4];
    std::int32_t defaults[4];
  };
  const Octets groups[] = {
      {at::ip_address, {"Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4"}, {192, 168, 2, 205}},
      {at::subnet_mask, {"Ethernet_SM1", "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4"}, {255, 255, 255, 0}},
      {at::gateway, {"Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3", "Ethernet_GAT4"}, {192, 168, 2, 1}},
  };
  for (const auto& g : groups)
    for (std::size_t i = 0; i < 4; ++i)
      byte(g.offset + i) = static_cast<std::uint8_t>(r.integer(g.elements[i], g.defaults[i]));
  if (!r.is("Ethernet_EN_GAT", "1"))
    for (std::size_t i = 0; i < 4; ++i)
      byte(at::gateway + i) = 255;
}

void ImageCompiler::Read_DMX_Defaults(pugi::xml_node root) {
  std::size_t i = 0;
  for (pugi::xml_node n = root.first_child(); n && i < kDmxBlockSize; n = n.next_sibling(), ++i) {
    pugi::xml_attribute a = n.attribute("Default_Value");
    DMX_Defaults[i] = a ? static_cast<std::uint8_t>(parse_integer(a.value()).value_or(0)) : 0;
  }
}

std::int32_t ImageCompiler::Serialize_Parameters(std::int32_t p) {
  std::uint8_t* out = Image_Buffer.data() + p;
  std::memcpy(out, Param_Record.data(), kGapOffset);
  std::memset(out + kGapOffset, 0, kGapSize);
  std::memcpy(out + kGapOffset + kGapSize, Param_Record.data() + kGapOffset, kRecordSize - kGapOffset);
  write_le(out + kChecksumOffset, 4, checksum(out));
  return p + static_cast<std::int32_t>(kParamBlockSize);
}

std::int32_t ImageCompiler::Append_DMX_Defaults(std::int32_t p) {
  std::memcpy(Image_Buffer.data() + p, DMX_Defaults.data(), kDmxBlockSize);
  return p + static_cast<std::int32_t>(kDmxBlockSize);
}

void ImageCompiler::Compile_Image(const std::string& file_par_gen, const std::string& file_dmx_default) {
  auto parse = [](const std::string& path, std::size_t max_bytes) -> std::optional<pugi::xml_document> {
    if (!fs::exists(path)) return std::nullopt;
    return xml::parse_file(path, max_bytes);
  };
  Compile([&] { return parse(file_par_gen, kMaxParGenBytes); },
          [&] { return parse(file_dmx_default, kMaxDmxDefaultBytes); });
}

void ImageCompiler::Compile_Image_Bytes(std::optional<std::string_view> par_gen,
                                        std::optional<std::string_view> dmx_default) {
  auto parse = [](std::optional<std::string_view> bytes, std::string_view name,
                  std::size_t max_bytes) -> std::optional<pugi::xml_document> {
    if (!bytes) return std::nullopt;
    return xml::parse_bytes(*bytes, std::string(name), max_bytes);
  };
  Compile([&] { return parse(par_gen, kParGenFile, kMaxParGenBytes); },
          [&] { return parse(dmx_default, kDmxDefaultFile, kMaxDmxDefaultBytes); });
}

// Each file is parsed just before it is read, so a file that fails leaves
// the buffers as far as the compilation got, whichever way it was given.
void ImageCompiler::Compile(const Parse& par_gen, const Parse& dmx_default) {
  Reset_Parameters();
  Clear_DMX_Defaults();
  Image_Size = 0;
  if (auto doc = par_gen()) Read_ParGen(xml::root(*doc));
  if (auto doc = dmx_default()) Read_DMX_Defaults(xml::root(*doc));
  Image_Size = Serialize_Parameters(Image_Size);
  Image_Size = Append_DMX_Defaults(Image_Size);
}

Image ImageCompiler::image() const {
  Image out{};
  std::copy_n(Image_Buffer.begin(), std::min<std::size_t>(kImageSize, static_cast<std::size_t>(Image_Size)),
              out.begin());
  return out;
}

void ImageCompiler::Write_Bank_File(const std::string& conf_dir) const {
  // A bin folder deleted by hand is made again rather than failing the step;
  // if it can't be made, the write below says why.
  // A link in its place would carry the image out of the configuration.
  const std::string bin = fs::join(conf_dir, kBinFolder);
  fs::refuse_link("Cannot write", bin);
  fs::make_dirs(bin);
  fs::atomic_save(bank_file_path(conf_dir),
                  std::string_view(reinterpret_cast<const char*>(Image_Buffer.data()),
                                   static_cast<std::size_t>(Image_Size)));
}

} // namespace lw::image
