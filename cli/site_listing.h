#pragma once
#include "site/unit_status.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lw::cli {

// Whether each unit answered the probe (by unit; nullopt where it was not
// probed or could not be), and whether the site was probed at all.
struct SiteProbe {
  std::vector<std::optional<bool>> reachable;
  bool probed = false;
};

// {"units": [...]}, one unit a line, every value the status leaves unknown
// null.
std::string site_json(std::span<const UnitStatus> units, const SiteProbe& probe);

// A heading and a line per unit in aligned columns, every name and message
// printable; the reachable column only when probed.
std::string site_table(std::span<const UnitStatus> units, const SiteProbe& probe);

} // namespace lw::cli
