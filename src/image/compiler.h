#pragma once
#include "image/image_layout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
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
  // The same from the two files' bytes, nullopt for a file that is missing:
  // a configuration compiled before it is written gets the image its files
  // will give.
  void Compile_Image_Bytes(std::optional<std::string_view> par_gen,
                           std::optional<std::string_view> dmx_default);
  // Writes the image to conf_dir/bin/bank.bin atomically, making the bin
  // folder when it is missing; throws FileError with the system's text, or
  // when bin is a link.
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
  // A file's document, nullopt when it is missing; throws as Compile_Image.
  using Parse = std::function<std::optional<pugi::xml_document>()>;
  void Compile(const Parse& par_gen, const Parse& dmx_default);
  void Read_ParGen(pugi::xml_node root);
  void Read_DMX_Defaults(pugi::xml_node root);
  std::int32_t Serialize_Parameters(std::int32_t p);
  std::int32_t Append_DMX_Defaults(std::int32_t p);

  void set(std::size_t image_offset, int width, std::uint32_t value);
  std::uint8_t& byte(std::size_t image_offset);
};

std::string bank_file_path(const std::string& conf_dir);

} // namespace lw::image
