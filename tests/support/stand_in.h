#pragma once
#include "temp_dir.h"

#include <filesystem>
#include <string>

namespace lw::test {

// The stand-in updater as the updater of dir, told to end with exit_code
// after run_ms. It writes beside itself "args", how many arguments it was
// given, and "seen.xml", the descriptor it found there.
inline std::string stand_in(const TempDir& dir, int exit_code, int run_ms = 0) {
  std::string path = dir.file("Ethernet_Update.exe");
  std::filesystem::copy_file(LOOMWORK_STAND_IN, fs_path(path),
                             std::filesystem::copy_options::overwrite_existing);
  write_file(dir.file("stand-in"), std::to_string(exit_code) + " " + std::to_string(run_ms) + "\n");
  return path;
}

} // namespace lw::test
