#include "core/program_folders.h"

#include "core/identity.h"
#include "platform/files.h"

namespace lw {

ProgramFolders program_folders(const std::string& exe_dir) {
  return {exe_dir, fs::join(exe_dir, kMasterFolder), fs::join(exe_dir, kProjectsFolder),
          fs::join(exe_dir, kLanguageFolder)};
}

} // namespace lw
