#include "image/image_layout.h"

#include <cstdio>

namespace lw::image {

std::uint32_t read_le(const std::uint8_t* at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i)
    v = (v << 8) | at[i];
  return v;
}

void write_le(std::uint8_t* at, int width, std::uint32_t value) {
  for (int i = 0; i < width; ++i)
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t checksum(const std::uint8_t* image) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < kChecksumOffset; ++i)
    sum += image[i];
  return sum;
}

std::uint32_t dmx_channel_count(const std::uint8_t* image) {
  std::uint32_t input = read_le(image + at::dmx_input_channels, 2);
  return input != 0 ? input : read_le(image + at::dmx_output_channels, 2);
}

std::string field_at(std::size_t offset) {
  if (offset >= kParamBlockSize) return "DMX channel " + std::to_string(offset - kParamBlockSize + 1);
  if (offset >= kChecksumOffset) return "checksum";
  if (offset >= kGapOffset && offset < kGapOffset + kGapSize) return "gap";
  for (const auto& row : kLayout) {
    std::size_t end = row.offset + std::size_t{row.width} * row.count;
    if (offset >= end) continue;
    std::string name(row.name);
    if (row.count > 1) name += "[" + std::to_string((offset - row.offset) / row.width) + "]";
    return name;
  }
  return {}; // the rows tile the block, so never reached
}

std::string hex32(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}

} // namespace lw::image
