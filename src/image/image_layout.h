#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lw::image {

inline constexpr std::size_t kParamBlockSize = 2048;
inline constexpr std::size_t kDmxBlockSize = 512;
inline constexpr std::size_t kImageSize = kParamBlockSize + kDmxBlockSize;
inline constexpr std::size_t kGapOffset = 1852;
inline constexpr std::size_t kGapSize = 60;
inline constexpr std::size_t kChecksumOffset = 2044;
inline constexpr std::size_t kRecordSize = kChecksumOffset - kGapSize;
inline constexpr std::uint32_t kDmxBlockAddress = 0x68800; // the image's start address 0x68000 + 2048
// The baud rate field by MODBUS_SLAVE_BAUDRATE's index; other indexes give 9600.
inline constexpr std::uint32_t kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
inline constexpr std::uint32_t kFallbackBaudRate = 9600;

// One field, or a run of `count` equal fields, of the parameter record, at
// its offset in the image. Every field is unsigned and little-endian.
struct LayoutRow {
  std::uint16_t offset;
  std::uint8_t width; // bytes: 1, 2 or 4
  std::uint16_t count;
  std::uint32_t reset;
  std::string_view name; // fields the configuration fills are named for what they hold
};

// The parameter record in image order; the 60-byte zero gap and the checksum
// are not fields of the record.
inline constexpr LayoutRow kLayout[] = {
    {0, 4, 1, 125000, "fixed_0x000"},
    {4, 4, 2, 0, "fixed_0x004"},
    {12, 4, 1, 9600, "fixed_0x00C"},
    {16, 2, 1, 8, "fixed_0x010"},
    {18, 2, 1, 0, "fixed_0x012"},
    {20, 4, 1, 0, "fixed_0x014"},
    {24, 4, 1, 0, "modbus_address"},
    {28, 4, 3, 0, "fixed_0x01C"},
    {40, 1, 1, 192, "ip_address_1"},
    {41, 1, 1, 168, "ip_address_2"},
    {42, 1, 1, 0, "ip_address_3"},
    {43, 1, 1, 10, "ip_address_4"},
    {44, 1, 1, 255, "subnet_mask_1"},
    {45, 1, 1, 255, "subnet_mask_2"},
    {46, 1, 1, 255, "subnet_mask_3"},
    {47, 1, 1, 0, "subnet_mask_4"},
    {48, 1, 4, 255, "gateway"},
    {52, 2, 1, 10000, "fixed_0x034"},
    {54, 2, 2, 10001, "fixed_0x036"},
    {58, 2, 1, 0, "fixed_0x03A"},
    {60, 4, 1, 9600, "fixed_0x03C"},
    {64, 2, 1, 8, "fixed_0x040"},
    {66, 2, 1, 0, "fixed_0x042"},
    {68, 4, 3, 0, "fixed_0x044"},
    {80, 1, 17, 0, "fixed_0x050"},
    {97, 1, 1, 0, "serial_interface"},
    {98, 1, 1, 0, "dmx_mapping"},
    {99, 1, 5, 0, "fixed_0x063"},
    {104, 2, 2, 0, "fixed_0x068"},
    {108, 4, 5, 0, "fixed_0x06C"},
    {128, 1, 4, 0, "fixed_0x080"},
    {132, 4, 31, 0, "fixed_0x084"},
    {256, 1, 4, 0, "fixed_0x100"},
    {260, 4, 2, 0, "fixed_0x104"},
    {268, 2, 2, 0, "fixed_0x10C"},
    {272, 4, 29, 0, "fixed_0x110"},
    {388, 1, 12, 0, "fixed_0x184"},
    {400, 4, 1, 0, "baud_rate"},
    {404, 4, 5, 0, "fixed_0x194"},
    {424, 1, 1, 0, "parity"},
    {425, 1, 1, 0, "fixed_0x1A9"},
    {426, 1, 1, 0, "dmx_line"},
    {427, 1, 3, 0, "fixed_0x1AB"},
    {430, 1, 1, 0, "stop_bits"},
    {431, 1, 5, 0, "fixed_0x1AF"},
    {436, 1, 1, 8, "data_bits"},
    {437, 1, 7, 8, "fixed_0x1B5"},
    {444, 4, 4, 0, "fixed_0x1BC"},
    {460, 2, 8, 0, "fixed_0x1CC"},
    {476, 2, 1, 0, "dmx_input_channels"},
    {478, 2, 1, 0, "dmx_output_channels"},
    {480, 4, 1, kDmxBlockAddress, "dmx_block_address"},
    {484, 4, 2, 0, "fixed_0x1E4"},
    {492, 1, 288, 0, "fixed_0x1EC"},
    {780, 4, 257, 0, "fixed_0x30C"},
    {1808, 1, 36, 0, "fixed_0x710"},
    {1844, 4, 2, 0, "fixed_0x734"},
    {1912, 1, 128, 0, "fixed_0x778"},
    {2040, 4, 1, 0, "fixed_0x7F8"},
};

// The rows must tile offsets 0..2043 exactly, leaving only the gap.
constexpr bool layout_is_contiguous() {
  std::size_t next = 0;
  for (const auto& row : kLayout) {
    if (next == kGapOffset) next += kGapSize;
    if (row.offset != next) return false;
    next += std::size_t{row.width} * row.count;
  }
  return next == kChecksumOffset;
}
constexpr std::size_t record_size() {
  std::size_t size = 0;
  for (const auto& row : kLayout)
    size += std::size_t{row.width} * row.count;
  return size;
}
static_assert(layout_is_contiguous(), "layout rows must tile the parameter block");
static_assert(record_size() == 1984, "the parameter record is 1984 bytes");
static_assert(kImageSize == 2560, "the image is 2560 bytes");

constexpr const LayoutRow& row(std::string_view name) {
  for (const auto& r : kLayout)
    if (r.name == name) return r;
  throw "no such layout row"; // only reachable at compile time
}

// Offsets of the fields the configuration fills.
namespace at {
inline constexpr std::size_t modbus_address = row("modbus_address").offset;
inline constexpr std::size_t ip_address = row("ip_address_1").offset;
inline constexpr std::size_t subnet_mask = row("subnet_mask_1").offset;
inline constexpr std::size_t gateway = row("gateway").offset;
inline constexpr std::size_t serial_interface = row("serial_interface").offset;
inline constexpr std::size_t dmx_mapping = row("dmx_mapping").offset;
inline constexpr std::size_t baud_rate = row("baud_rate").offset;
inline constexpr std::size_t parity = row("parity").offset;
inline constexpr std::size_t dmx_line = row("dmx_line").offset;
inline constexpr std::size_t stop_bits = row("stop_bits").offset;
inline constexpr std::size_t data_bits = row("data_bits").offset;
inline constexpr std::size_t dmx_input_channels = row("dmx_input_channels").offset;
inline constexpr std::size_t dmx_output_channels = row("dmx_output_channels").offset;
} // namespace at

using Image = std::array<std::uint8_t, kImageSize>;

std::uint32_t read_le(const std::uint8_t* at, int width);
void write_le(std::uint8_t* at, int width, std::uint32_t value);

// The sum of the bytes at offsets 0..2043.
std::uint32_t checksum(const std::uint8_t* image);

// The channel count, from whichever direction's field the compiler set (the
// other holds 0): the input's when it is not 0, else the output's.
std::uint32_t dmx_channel_count(const std::uint8_t* image);

// What lies at an offset of the image, for a person: the layout's field
// ("parity", "fixed_0x084[3]" in a run), "gap", "checksum" or "DMX channel 7".
std::string field_at(std::size_t offset);

// A checksum as it is shown everywhere: "0x0001A2B3".
std::string hex32(std::uint32_t v);

} // namespace lw::image
