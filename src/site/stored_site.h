#pragma once
#include "site/site_checks.h"

#include <string>
#include <vector>

namespace lw {

// The configurations of a PROJECTS folder (configuration_names) that hold a
// ParGen.xml, ordered by name, with their stored parameters. One without the file has no address
// chosen yet, and one whose file can't be read tells nothing about its
// address: neither takes part.
std::vector<SiteUnit> stored_site(const std::string& projects_dir);

} // namespace lw
