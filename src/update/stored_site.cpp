#include "update/stored_site.h"

#include "core/identity.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>

namespace lw {

std::vector<std::string> configuration_names(const std::string& projects_dir) {
  std::vector<std::string> names;
  for (const fs::DirEntry& entry : fs::list_dir(projects_dir))
    if (entry.is_dir) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<SiteUnit> stored_site(const std::string& projects_dir) {
  std::vector<SiteUnit> units;
  for (const std::string& name : configuration_names(projects_dir)) {
    std::string path = fs::join(fs::join(projects_dir, name), kParGenFile);
    if (!fs::is_file(path)) continue;
    try {
      units.push_back({name, Load_Par_Gen(path)});
    } catch (const FileError&) {
      // Its address is unknown; checking that configuration reports the file.
    }
  }
  return units;
}

} // namespace lw
