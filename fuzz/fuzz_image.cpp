#include "formats/errors.h"
#include "fuzz_file.h"
#include "image/compiler.h"

#include <algorithm>
#include <cstdlib>

// The input holds both parameter files: the first byte says where it splits.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::size_t split = std::min<std::size_t>(size - 1, data[0] * (size / 256 + 1));
  std::string par_gen = fuzz_file("ParGen.xml", data + 1, split);
  std::string dmx = fuzz_file("DMX_Default_Values.xml", data + 1 + split, size - 1 - split);
  lw::image::ImageCompiler compiler;
  try {
    compiler.Compile_Image(par_gen, dmx);
  } catch (const lw::FileError&) {
    return 0;
  }
  auto image = compiler.image();
  if (compiler.Image_Size != 2560) std::abort();
  if (lw::image::read_le(image.data() + lw::image::kChecksumOffset, 4) != lw::image::checksum(image.data()))
    std::abort();
  for (std::size_t i = lw::image::kGapOffset; i < lw::image::kGapOffset + lw::image::kGapSize; ++i)
    if (image[i] != 0) std::abort();
  return 0;
}
