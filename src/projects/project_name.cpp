#include "projects/project_name.h"

namespace lw {

bool stays_in_projects(std::string_view name) {
  return name.find_first_of("/\\") == std::string_view::npos && name != "." && name != "..";
}

} // namespace lw
