#pragma once
#include "site/unit_status.h"

#include <string_view>

namespace lw {

// A unit's state as one lower-case word, hyphens joining its parts, the same
// in every language: what a script reads from the companion and what it
// selects by ("never-sent").
std::string_view state_word(UnitState state);

} // namespace lw
