#pragma once
#include "site/unit_status.h"

namespace lw {

// The catalogue's word for a unit's state, the same in every view of the
// site: its list, its report and its summaries.
int unit_state_text(UnitState state);

} // namespace lw
