#include "projects/output_guard.h"

#include "core/identity.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"

#include <array>

namespace lw {

namespace {
constexpr std::array kOwnNames = {kParGenFile,     kDmxDefaultFile, kModbusTcpmAccessFile, kModbusMAccessFile,
                                  kBankFile,       kLastSentFile,   kUpdateLogFile,        kSettingsFile,
                                  kDescriptorFile, kUpdaterFile,    kFirmwareFile,         kProgramFile,
                                  kCompanionFile};

// The configurator's own folders, whose every file is its own.
struct OwnFolder {
  std::string_view parent; // the folder holding it, any when empty
  std::string_view name;
  std::string_view why;
};
constexpr std::array kOwnFolders = {
    OwnFolder{kBinFolder, kSentFolder, "keeps the images sent to the device as they were"},
    OwnFolder{{}, kLanguageFolder, "holds the configurator's languages"},
    OwnFolder{{}, kMasterFolder, "holds the firmware the update names"},
};

// A name as Windows opens it: "ParGen.xml." and "ParGen.xml " are
// ParGen.xml, and "ParGen.xml:x" is a stream of it.
std::string opened_name(std::string_view name) {
  name = name.substr(0, name.find(':'));
  while (!name.empty() && (name.back() == '.' || name.back() == ' '))
    name.remove_suffix(1);
  return utf8::ascii_lower(name);
}

// Names are compared without case, as Windows and most Mac disks compare them.
bool same_name(std::string_view a, std::string_view b) { return opened_name(a) == utf8::ascii_lower(b); }

bool in_folder(const std::string& path, const OwnFolder& own) {
  const std::string folder = fs::parent_folder(path);
  return same_name(fs::file_name(folder), own.name) &&
         (own.parent.empty() || same_name(fs::file_name(fs::parent_folder(folder)), own.parent));
}

// Why path is one of the configurator's own, or empty.
std::string own_reason(const std::string& path) {
  const std::string name = fs::file_name(path);
  for (std::string_view own : kOwnNames)
    if (same_name(name, own) || same_name(name, std::string(own) + ".exe"))
      return name + " is a file the configurator keeps for itself";
  for (const OwnFolder& own : kOwnFolders)
    if (in_folder(path, own)) return "the folder " + std::string(own.name) + " " + std::string(own.why);
  return {};
}
} // namespace

std::optional<std::string> output_refusal(const std::string& path) {
  // A link named like a sheet may lead to one of them: the writers follow it.
  const std::string destination = fs::write_destination(path);
  for (const std::string& p : {path, destination})
    if (std::string why = own_reason(p); !why.empty()) return "Cannot write " + path + ": " + why;
  return std::nullopt;
}

void save_output(const std::string& path, std::string_view bytes) {
  if (auto refusal = output_refusal(path)) throw FileError(*refusal);
  fs::atomic_save(path, bytes);
}

} // namespace lw
