#include "projects/configuration_from_image.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "image/image_layout.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "params/stored_checks.h"
#include "platform/files.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>

namespace lw {

namespace {
namespace at = image::at;
using Bytes = const std::uint8_t*;

std::string octet(Bytes b, std::size_t offset) { return std::to_string(b[offset]); }

// Each field over the defaults a new configuration gets. A value no choice
// stands for keeps the default, and the compilation back shows the byte.
Par_Gen_Set read_parameters(Bytes b) {
  Par_Gen_Set set;
  set.DMX_DMX = image::read_le(b + at::dmx_input_channels, 2) != 0 ? 0 : 1;
  set.DMX_Num_Channels = std::to_string(image::dmx_channel_count(b));
  set.DMX_END_LINE_RES = (b[at::dmx_line] & 0x80) != 0;

  set.MODBUS_SLAVE_SERIAL = b[at::serial_interface] == 1 ? 0 : 1;
  std::uint32_t baud = image::read_le(b + at::baud_rate, 4);
  const auto* rate = std::ranges::find(image::kBaudRates, baud);
  if (rate != std::end(image::kBaudRates))
    set.MODBUS_SLAVE_BAUDRATE = static_cast<int>(rate - std::begin(image::kBaudRates));
  if (b[at::parity] < par_gen_field("MODBUS_SLAVE_PARITY").items.size())
    set.MODBUS_SLAVE_PARITY = b[at::parity];
  if (b[at::stop_bits] == 2) set.MODBUS_SLAVE_STOPBITS = 1;
  set.MODBUS_SLAVE_IDDEVICE = std::to_string(image::read_le(b + at::modbus_address, 4));
  set.MODBUS_SLAVE_DMX_MAP = (b[at::dmx_mapping] & 0x01) != 0;

  using Octets = std::array<std::string Par_Gen_Set::*, 4>;
  const std::pair<std::size_t, Octets> addresses[] = {
      {at::ip_address,
       {&Par_Gen_Set::Ethernet_IP1, &Par_Gen_Set::Ethernet_IP2, &Par_Gen_Set::Ethernet_IP3,
        &Par_Gen_Set::Ethernet_IP4}},
      {at::subnet_mask,
       {&Par_Gen_Set::Ethernet_SM1, &Par_Gen_Set::Ethernet_SM2, &Par_Gen_Set::Ethernet_SM3,
        &Par_Gen_Set::Ethernet_SM4}},
      {at::gateway,
       {&Par_Gen_Set::Ethernet_GAT1, &Par_Gen_Set::Ethernet_GAT2, &Par_Gen_Set::Ethernet_GAT3,
        &Par_Gen_Set::Ethernet_GAT4}},
  };
  // A gateway left off is written as 255.255.255.255; its octets then keep
  // the defaults, as the editor keeps them for a gateway it disables.
  set.Ethernet_EN_GAT = !std::all_of(b + at::gateway, b + at::gateway + 4, [](auto v) { return v == 255; });
  for (const auto& [offset, members] : addresses) {
    if (offset == at::gateway && !set.Ethernet_EN_GAT) continue;
    for (std::size_t i = 0; i < members.size(); ++i)
      set.*members[i] = octet(b, offset + i);
  }
  return set;
}

// The editor's rows (the channel count, at most the block) and as many more
// as reach the last channel that is not zero, which a count lowered after the
// values were saved leaves in the image.
DMX_Def_Table read_dmx_values(Bytes b, int channels) {
  const Bytes block = b + image::kParamBlockSize;
  std::size_t rows =
      std::clamp<std::size_t>(static_cast<std::size_t>(std::max(channels, 0)), 0, image::kDmxBlockSize);
  for (std::size_t i = rows; i < image::kDmxBlockSize; ++i)
    if (block[i] != 0) rows = i + 1;
  DMX_Def_Table table(rows);
  for (std::size_t i = 0; i < rows; ++i)
    table[i].Default_Value = std::to_string(block[i]);
  return table;
}

std::string as_text(const image::Image& image) {
  return {reinterpret_cast<const char*>(image.data()), image.size()};
}

// The first offset where the files compile to other bytes, or nullopt.
std::optional<std::size_t> first_difference(const ConfigurationFiles& files, Bytes wanted) {
  auto bytes_of = [&](std::string_view place) -> std::optional<std::string_view> {
    for (const ConfigurationFile& f : files)
      if (f.place == place) return f.bytes;
    return std::nullopt;
  };
  image::ImageCompiler compiler;
  compiler.Compile_Image_Bytes(bytes_of(kParGenFile), bytes_of(kDmxDefaultFile));
  image::Image got = compiler.image();
  auto [mismatch, ignored] = std::mismatch(got.begin(), got.end(), wanted);
  if (mismatch == got.end()) return std::nullopt;
  return static_cast<std::size_t>(mismatch - got.begin());
}

ConfigurationFiles files_for(const image::Image& image, const std::optional<Par_Gen_Set>& set) {
  // Without ParGen.xml the editor shows 512 channels.
  int channels =
      set ? parse_integer(set->DMX_Num_Channels).value_or(kDefaultDmxChannels) : kDefaultDmxChannels;
  ConfigurationFiles files;
  if (set) files.push_back({std::string(kParGenFile), par_gen_xml(*set)});
  files.push_back({std::string(kDmxDefaultFile), dmx_defaults_xml(read_dmx_values(image.data(), channels))});
  files.push_back({fs::join(kBinFolder, kBankFile), as_text(image)});
  return files;
}
} // namespace

ImageConfiguration configuration_from_image(std::string_view bytes) {
  if (bytes.size() != image::kImageSize)
    return {{}, ImageRefusal{.kind = ImageRefusal::Kind::Size, .size = bytes.size()}};
  image::Image image{};
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(image.data()));
  std::uint32_t stored = image::read_le(image.data() + image::kChecksumOffset, 4);
  std::uint32_t computed = image::checksum(image.data());
  if (stored != computed)
    return {{}, ImageRefusal{.kind = ImageRefusal::Kind::Checksum, .stored = stored, .computed = computed}};

  ConfigurationFiles files = files_for(image, read_parameters(image.data()));
  auto difference = first_difference(files, image.data());
  if (!difference) return {std::move(files), std::nullopt};
  // A configuration whose parameters were never saved compiles with the
  // compiler's own reset values, which no ParGen.xml gives: such an image
  // comes back as one without it.
  ConfigurationFiles unsaved = files_for(image, std::nullopt);
  if (!first_difference(unsaved, image.data())) return {std::move(unsaved), std::nullopt};
  return {{}, ImageRefusal{.kind = ImageRefusal::Kind::NotExpressible, .offset = *difference}};
}

ImageConfiguration configuration_from_image_file(const std::string& path) {
  return configuration_from_image(fs::read_bytes(path, kMaxImageBytes));
}

std::string image_refusal_text(const ImageRefusal& refusal, const TextTable& texts) {
  switch (refusal.kind) {
  case ImageRefusal::Kind::Size:
    return fill_places(texts.Get(text_id::kMsgImageSize),
                       std::array{std::to_string(refusal.size), std::to_string(image::kImageSize)});
  case ImageRefusal::Kind::Checksum:
    return fill_places(texts.Get(text_id::kMsgImageChecksum),
                       std::array{image::hex32(refusal.stored), image::hex32(refusal.computed)});
  case ImageRefusal::Kind::NotExpressible: break;
  }
  char offset[16];
  std::snprintf(offset, sizeof offset, "0x%03zX", refusal.offset);
  return fill_places(texts.Get(text_id::kMsgImageNotExpressible),
                     std::array{std::string(offset), image::field_at(refusal.offset)});
}

std::optional<std::string> editors_refusal_note(const std::string& conf_dir, const TextTable& texts) {
  try {
    auto failure =
        stored_files_failure(fs::join(conf_dir, kParGenFile), fs::join(conf_dir, kDmxDefaultFile), texts);
    if (!failure) return std::nullopt;
    const std::array<std::string, 1> why{*failure};
    return fill_places(texts.Get(text_id::kMsgImageEditorsRefuse), why);
  } catch (const FileError&) {
    // Parameters never saved leave no ParGen.xml: the editor starts on its defaults.
    return std::nullopt;
  }
}

} // namespace lw
