#pragma once
#include "core/text_table.h"
#include "projects/configuration_copy.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

// Why an image can't become a configuration.
struct ImageRefusal {
  enum class Kind { Size, Checksum, NotExpressible };
  Kind kind;
  std::size_t size = 0;                   // Size: the image's length in bytes
  std::uint32_t stored = 0, computed = 0; // Checksum
  std::size_t offset = 0;                 // NotExpressible: the first byte the files give otherwise
  bool operator==(const ImageRefusal&) const = default;
};

// A configuration's files read back from its image: the communication
// parameters over a new configuration's defaults, the DMX values with empty
// mnemonics, and the image itself as bin/bank.bin. The files are compiled
// back before they are offered, so they never stand for other bytes.
struct ImageConfiguration {
  ConfigurationFiles files; // empty when refused
  std::optional<ImageRefusal> refusal;
};

ImageConfiguration configuration_from_image(std::string_view image);

// The same from an image file. Anything but a regular file, or one larger
// than any image, is refused before it is read: FileError with the reason.
ImageConfiguration configuration_from_image_file(const std::string& path);

// The refusal as the catalogue words it.
std::string image_refusal_text(const ImageRefusal& refusal, const TextTable& texts);

// An image may hold values the editors refuse (a channel count of 0, say);
// the configuration is made all the same, as it gives the image back, and
// this says what the user must correct before the editor saves or the
// update runs. nullopt when the editors take the configuration in conf_dir.
std::optional<std::string> editors_refusal_note(const std::string& conf_dir, const TextTable& texts);

} // namespace lw
