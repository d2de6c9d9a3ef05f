#include "projects/readable_file.h"

#include "core/identity.h"
#include "core/limits.h"
#include "formats/errors.h"
#include "image/image_layout.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace lw {

namespace {
struct XmlFile {
  std::string_view place;
  std::size_t max_bytes; // as its reader takes it
};

// The access files are only ever copied, as large as any copied file.
constexpr std::array kXmlFiles = {
    XmlFile{kParGenFile, kMaxParGenBytes}, XmlFile{kDmxDefaultFile, kMaxDmxDefaultBytes},
    XmlFile{kModbusTcpmAccessFile, kMaxCopiedBytes}, XmlFile{kModbusMAccessFile, kMaxCopiedBytes}};

bool is_image(const std::string& place) {
  return place == fs::join(kBinFolder, kBankFile) || place == fs::join(kBinFolder, kLastSentFile) ||
         fs::parent_folder(place) == fs::join(kBinFolder, kSentFolder);
}

std::optional<std::string> image_fault(std::string_view bytes) {
  if (bytes.size() != image::kImageSize)
    return "is " + std::to_string(bytes.size()) + " bytes, not the " + std::to_string(image::kImageSize) +
           " of a parameter image";
  const auto* image = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::uint32_t stored = image::read_le(image + image::kChecksumOffset, 4);
  std::uint32_t computed = image::checksum(image);
  if (stored != computed)
    return "holds the checksum " + image::hex32(stored) + " where its bytes give " + image::hex32(computed);
  return std::nullopt;
}
} // namespace

std::optional<std::string> unreadable_reason(const ConfigurationFile& file) {
  for (const XmlFile& xml_file : kXmlFiles) {
    if (file.place != xml_file.place) continue;
    if (auto why = xml::unreadable_reason(file.bytes, xml_file.max_bytes)) return "can't be read: " + *why;
    try {
      (void)xml::parse_bytes(file.bytes, file.place, xml_file.max_bytes);
    } catch (const FileError& e) {
      return "can't be read: " + std::string(e.what());
    }
    return std::nullopt;
  }
  if (is_image(file.place)) return image_fault(file.bytes);
  if (file.place == kUpdateLogFile && file.bytes.size() > kMaxUpdateLogBytes)
    return "is larger than the limit of " + fs::limit_text(kMaxUpdateLogBytes) + " for the update log";
  return std::nullopt;
}

} // namespace lw
