#pragma once
#include <string>

namespace lw {

// The program's own folder and the three beside it. Named once at start from
// the executable's folder; nothing changes them while the program runs.
struct ProgramFolders {
  std::string App_Dir;
  std::string Master_Dir;
  std::string Projects_Dir;
  std::string Language_Dir;
};

ProgramFolders program_folders(const std::string& exe_dir);

} // namespace lw
