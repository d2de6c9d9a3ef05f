#include "site/stored_site.h"

#include "core/identity.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"

namespace lw {

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
