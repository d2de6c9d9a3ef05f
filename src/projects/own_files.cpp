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

namespace {
bool is_own(const std::string& path) {
  const std::string name = fs::file_name(path);
  for (std::string_view own : kOwnNames)
    if (name == own || name == std::string(own) + ".exe") return true;
  // Every image the updater was handed is kept as it was.
  return fs::file_name(fs::parent_folder(path)) == kSentFolder;
}
} // namespace

std::optional<std::string> own_file_refusal(const std::string& path) {
  // A link named like a sheet may lead to one of them: the writers follow it.
  const std::string destination = fs::write_destination(path);
  for (const std::string& p : {path, destination})
    if (is_own(p))
      return "Cannot write " + path + ": " + fs::file_name(p) +
             " is a file the configurator keeps for itself";
  return std::nullopt;
}

} // namespace lw
