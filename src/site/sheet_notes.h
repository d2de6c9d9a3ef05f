#pragma once
#include "site/site_batch.h"
#include "site/site_checks.h"

#include <vector>

namespace lw {

// The addressing notes a plan brings to its site: those over the site as it
// stands once the plan is written (the stored configurations, the sheet's
// in place of any of the same name) that name one of the sheet's units. A
// note between two configurations already standing is the whole site's
// check to tell.
std::vector<SiteNote> sheet_notes(const BatchPlan& plan);

} // namespace lw
