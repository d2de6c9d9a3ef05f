#include "image/compiler.h"
#include "projects/configuration_from_image.h"

#include <cstdlib>
#include <string_view>

// Any bytes offered as a parameter image: refused, or made into files that
// compile back to exactly those bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view image(reinterpret_cast<const char*>(data), size);
  lw::ImageConfiguration made = lw::configuration_from_image(image);
  if (made.refusal) {
    if (!made.files.empty()) std::abort();
    return 0;
  }
  std::optional<std::string_view> par_gen, dmx;
  for (const lw::ConfigurationFile& file : made.files) {
    if (file.place == "ParGen.xml") par_gen = file.bytes;
    if (file.place == "DMX_Default_Values.xml") dmx = file.bytes;
  }
  lw::image::ImageCompiler compiler;
  compiler.Compile_Image_Bytes(par_gen, dmx);
  auto compiled = compiler.image();
  if (std::string_view(reinterpret_cast<const char*>(compiled.data()), compiled.size()) != image)
    std::abort();
  return 0;
}
