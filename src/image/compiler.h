#pragma once
#include "image/image_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lw::image {

// Builds the parameter image of a configuration from its two parameter
// files. Every compilation rebuilds all buffers from scratch.
class ImageCompiler {
public:
  ImageCompiler();

  // Throws FileError with the parser's text when a file exists but can't be
  // read or parsed; a missing file contributes its reset values.
  void Compile_Image(const std::string& file_par_gen, const std::string& file_dmx_default);
  // Writes the image to conf_dir/bin/bank.bin atomically; throws FileError
  // with the system's text (the bin folder is not created here).
  void Write_Bank_File(const std::string& conf_dir) const;

  // The compiled image: the first Image_Size bytes of Image_Buffer.
  Image image() const;
  std::int32_t Image_Size = 0;

  std::array<std::uint8_t, kRecordSize> Param_Record{}; // little-endian fields, image order without the gap
  std::array<std::uint8_t, kDmxBlockSize> DMX_Defaults{};
  std::vector<std::uint8_t> Image_Buffer;

private:
  void Reset_Parameters();
  void Clear_DMX_Defaults();
  void Read_ParGen(const std::string& path);
  void Read_DMX_Defaults(const std::string& path);
  std::int32_t Serialize_Parameters(std::int32_t p);
  std::int32_t Append_DMX_Defaults(std::int32_t p);

  void set(std::size_t image_offset, int width, std::uint32_t value);
  std::uint8_t& byte(std::size_t image_offset);
};

std::string bank_file_path(const std::string& conf_dir);

} // namespace lw::image
