#pragma once
#include "core/indexed_table.h"

#include <cstddef>
#include <string>

namespace lw {

// Where a device update ended. Every kind but the two updater ends stops the
// sequence at its stage; the two ends are a completed hand-over.
struct UpdateOutcome {
  enum class Kind {
    TestFailed,           // a stored file fails an editor's test; system_text holds its message
    ImageNotWritten,      // a parameter file can't be read, or bank.bin can't be written
    UnusableAddress,      // the address text is no four integers 0..255
    Silent,               // the device did not answer
    NotPermitted,         // the system allows this user no ICMP socket
    SendFailed,           // a request could not be sent before any went unanswered
    Cancelled,            // the user stopped the probe: nothing written, launched or shown
    DescriptorNotWritten, // Ethernet_Update.xml can't be written
    UpdaterNotStarted,    // the updater can't be launched
    UpdaterEnded,         // exit_status holds the updater's status
    UpdaterStillRunning,  // the wait ended; the updater goes on by itself
  };
  Kind kind;
  int exit_status = 0;     // UpdaterEnded only
  std::string system_text; // the system's or the parser's own message, where there is one
};

inline constexpr std::size_t kOutcomeKindCount =
    static_cast<std::size_t>(UpdateOutcome::Kind::UpdaterStillRunning) + 1;

// Whether a table of rows with a `kind` holds one row per kind in the
// order of the kinds, so that it can be indexed by kind.
template <class Table> constexpr bool indexed_by_kind(const Table& table) {
  return indexed_by(table, &Table::value_type::kind, kOutcomeKindCount);
}

// True when the device answered the probe on the way to this outcome.
[[nodiscard]] bool device_answered(const UpdateOutcome& outcome);

// What the sequence reports as it passes each point, for a progress line.
enum class UpdateStep { ImageWritten, Probing, Answered, DescriptorWritten, StartingUpdater };

} // namespace lw
