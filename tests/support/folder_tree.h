#pragma once
#include "temp_dir.h"

#include <filesystem>
#include <map>
#include <string>

namespace lw::test {

// Every file under a folder by its place ("a/b" on every system), with its
// bytes; folders end in "/".
inline std::map<std::string, std::string> tree(const std::string& folder) {
  namespace stdfs = std::filesystem;
  std::map<std::string, std::string> out;
  for (const auto& e : stdfs::recursive_directory_iterator(fs_path(folder))) {
    std::u8string generic = stdfs::relative(e.path(), fs_path(folder)).generic_u8string();
    std::string place(generic.begin(), generic.end());
    out[e.is_directory() ? place + "/" : place] = e.is_directory() ? "" : read_file(utf8(e.path()));
  }
  return out;
}

} // namespace lw::test
