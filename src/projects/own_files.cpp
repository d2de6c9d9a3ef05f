#include "projects/own_files.h"

#include "core/identity.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <array>
#include <string_view>

namespace lw {

namespace {
constexpr std::array kOwnNames = {kParGenFile,     kDmxDefaultFile, kModbusTcpmAccessFile, kModbusMAccessFile,
                                  kBankFile,       kLastSentFile,   kUpdateLogFile,        kSettingsFile,
                                  kDescriptorFile, kUpdaterFile,    kFirmwareFile,         kProgramFile,
                                  kCompanionFile};
} // namespace

namespace {
bool same_name(std::string_view a, std::string_view b) {
  return utf8::ascii_lower(a) == utf8::ascii_lower(b);
}

// Why path is one of the configurator's own, or empty. Names are compared
// without case, as Windows and most Mac disks compare them.
std::string own_reason(const std::string& path) {
  const std::string name = fs::file_name(path);
  for (std::string_view own : kOwnNames)
    if (same_name(name, own) || same_name(name, std::string(own) + ".exe"))
      return name + " is a file the configurator keeps for itself";
  // Every image the updater was handed is kept as it was.
  if (same_name(fs::file_name(fs::parent_folder(path)), kSentFolder))
    return "the folder " + std::string(kSentFolder) + " keeps the images sent to the device as they were";
  return {};
}
} // namespace

std::optional<std::string> own_file_refusal(const std::string& path) {
  // A link named like a sheet may lead to one of them: the writers follow it.
  const std::string destination = fs::write_destination(path);
  for (const std::string& p : {path, destination})
    if (std::string why = own_reason(p); !why.empty()) return "Cannot write " + path + ": " + why;
  return std::nullopt;
}

} // namespace lw
