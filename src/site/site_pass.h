#pragma once
#include "core/text_table.h"
#include "site/unit_status.h"
#include "update/outcome.h"
#include "update/update_ports.h"
#include "update/update_record.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lw {

// The units a selection button picks from the site's list: only units that
// can be sent. Failed: the last attempt logged did not succeed.
enum class Selection { Changed, NeverSent, Failed };

// The indices of the units the selection picks, in the list's order.
std::vector<std::size_t> select_units(std::span<const UnitStatus> units, Selection selection);

// One unit of a pass.
struct PassUnit {
  std::string name;
  std::string conf_dir;
  std::string address; // probed and handed over: its address now, or one the engineer typed
  UnitState state;     // a unit that is not sendable is never handed over
};

// The unit as the site's list has it, at its address now (none: empty).
PassUnit pass_unit(const UnitStatus& status);

// What every unit's hand-over shares, as step 4's dialog sets it.
struct PassSettings {
  int option = 0; // image::UpdateOption
  bool read_back = true;
  std::string Master_Dir;
  std::string App_Dir;
};

// How a unit's turn in the pass ended.
enum class UnitVerdict {
  Updated,      // the updater ended with status 0
  StillRunning, // handed over; the updater still ran after the wait
  NotFound,     // silent at its address: skipped
  Failed,       // any other end of the update
  Cancelled,    // its probe was stopped by Cancel
  Refused,      // not sendable: never handed over, nothing logged
  NotStarted,   // Cancel came before its turn
};
inline constexpr std::size_t kUnitVerdictCount = static_cast<std::size_t>(UnitVerdict::NotStarted) + 1;

UnitVerdict verdict_of(const UpdateOutcome& outcome);

struct PassUnitResult {
  UnitVerdict verdict = UnitVerdict::NotStarted;
  std::optional<UpdateOutcome> outcome; // the update's, for a unit that was tried
  RecordFailures record;                // what of its record could not be written
};

struct PassSummary {
  std::vector<PassUnitResult> results; // by unit
  std::array<std::size_t, kUnitVerdictCount> counts{};
  std::vector<std::size_t> failed; // not found or failed: what "Retry Failed" selects
  bool cancelled = false;
  std::size_t count(UnitVerdict verdict) const { return counts[static_cast<std::size_t>(verdict)]; }
};

// What the pass tells as it goes, each on the calling thread.
struct PassWatch {
  std::function<void(std::size_t unit)> started = [](std::size_t) {};
  std::function<void(std::size_t unit, UpdateStep step)> progress = [](std::size_t, UpdateStep) {};
  std::function<void(std::size_t unit, const PassUnitResult& result)> finished = [](std::size_t,
                                                                                    const PassUnitResult&) {};
};

// Updates the units one after another, each as step 4 updates one (the
// tests and the image, the probe at its address, the descriptor, the
// updater and its wait, the log line and the images kept), one updater at
// a time. A failure goes on to the next unit. Once ports.cancelled says so,
// a running probe ends at its next look and no further unit starts; an
// updater already running is waited for as step 4 waits for it.
PassSummary Run_Pass(std::span<const PassUnit> units, const PassSettings& settings, const TextTable& texts,
                     const UpdatePorts& ports, RecordPorts& record, const PassWatch& watch = {});

} // namespace lw
