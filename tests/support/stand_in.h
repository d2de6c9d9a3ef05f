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

// The same, ending with status 0 but for the device at `address`, which
// gets `exit_code`.
inline std::string stand_in_failing_for(const TempDir& dir, const std::string& address, int exit_code) {
  std::string path = stand_in(dir, 0);
  write_file(dir.file("stand-in"), "0 0 " + address + " " + std::to_string(exit_code) + "\n");
  return path;
}

} // namespace lw::test
