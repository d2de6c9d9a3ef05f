#pragma once
#include "cli.h"
#include "update/outcome.h"
#include "update/update_record.h"

#include <string>
#include <string_view>

namespace lw {
class TextTable;
}

namespace lw::cli {

// How the update ended, as its last line says it.
std::string update_message(const UpdateOutcome& outcome, const TextTable& texts);

// A line on stderr for each part of the record that could not be written,
// each after `prefix`: the update has run all the same.
void report_record_failures(const RecordFailures& failures, std::string_view prefix, Io& io);

// The update's last line, on stdout or stderr as its kind says, and the exit
// status the outcome maps to.
[[nodiscard]] int report_update(const UpdateOutcome& outcome, const TextTable& texts, Io& io);

} // namespace lw::cli
