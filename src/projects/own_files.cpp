#include "projects/own_files.h"

#include "core/identity.h"
#include "platform/files.h"

#include <array>
#include <string_view>

namespace lw {

namespace {
constexpr std::array<std::string_view, 9> kOwnNames = {
    kParGenFile,   kDmxDefaultFile, kModbusTcpmAccessFile, kModbusMAccessFile, kBankFile,
    kSettingsFile, kDescriptorFile, kUpdaterFile,          kFirmwareFile};
} // namespace

std::optional<std::string> own_file_refusal(const std::string& path) {
  std::string name = fs::file_name(path);
  for (std::string_view own : kOwnNames)
    if (name == own)
      return "Cannot write " + path + ": " + name + " is a file the configurator keeps for itself";
  return std::nullopt;
}

} // namespace lw
