#include "projects/own_files.h"

#include "core/identity.h"
#include "platform/files.h"

#include <array>
#include <string_view>

namespace lw {

namespace {
constexpr std::array kOwnNames = {kParGenFile,     kDmxDefaultFile, kModbusTcpmAccessFile, kModbusMAccessFile,
                                  kBankFile,       kLastSentFile,   kUpdateLogFile,        kSettingsFile,
                                  kDescriptorFile, kUpdaterFile,    kFirmwareFile,         kProgramFile,
                                  kCompanionFile};
} // namespace

std::optional<std::string> own_file_refusal(const std::string& path) {
  const std::string name = fs::file_name(path);
  auto refusal = [&] {
    return "Cannot write " + path + ": " + name + " is a file the configurator keeps for itself";
  };
  for (std::string_view own : kOwnNames)
    if (name == own || name == std::string(own) + ".exe") return refusal();
  // Every image the updater was handed is kept as it was.
  if (fs::file_name(fs::parent_folder(path)) == kSentFolder) return refusal();
  return std::nullopt;
}

} // namespace lw
