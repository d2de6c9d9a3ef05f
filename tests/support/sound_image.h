#pragma once
#include "image/image_layout.h"

#include <cstdint>
#include <string>

namespace lw::test {

// The bytes of an image with the checksum they give, as the program reads
// an image back; bytes of any other size are left as they are.
inline std::string with_checksum(std::string bytes) {
  if (bytes.size() != image::kImageSize) return bytes;
  auto* image = reinterpret_cast<std::uint8_t*>(bytes.data());
  image::write_le(image + image::kChecksumOffset, 4, image::checksum(image));
  return bytes;
}

// A sound image of one byte throughout, checksum aside.
inline std::string sound_image(char fill) { return with_checksum(std::string(image::kImageSize, fill)); }

} // namespace lw::test
