#pragma once
#include "temp_dir.h"

#include <filesystem>
#include <map>
#include <string>

namespace lw::test {

// Every file under a folder by its place, with its bytes; folders end in "/".
inline std::map<std::string, std::string> tree(const std::string& folder) {
  namespace stdfs = std::filesystem;
  std::map<std::string, std::string> out;
  for (const auto& e : stdfs::recursive_directory_iterator(folder)) {
    std::string place = stdfs::relative(e.path(), folder).string();
    out[e.is_directory() ? place + "/" : place] = e.is_directory() ? "" : read_file(e.path().string());
  }
  return out;
}

} // namespace lw::test
