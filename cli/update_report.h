#pragma once
#include "cli.h"
#include "update/outcome.h"

namespace lw {
class TextTable;
}

namespace lw::cli {

// The update's last line, on stdout or stderr as its kind says, and the exit
// status the outcome maps to.
[[nodiscard]] int report_update(const UpdateOutcome& outcome, const TextTable& texts, Io& io);

} // namespace lw::cli
