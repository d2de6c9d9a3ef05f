#pragma once
#include "core/text_table.h"
#include "projects/configuration_folder.h"
#include "update/outcome.h"
#include "update/update_log.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lw {

// Where a unit of the site stands, decided from its files alone.
enum class UnitState {
  NotConfiguration, // the folder holds no configuration; `message` says why
  Refused,          // step 4 would refuse the stored files: an editor's test fails or a file can't be read
  NeverSent,        // no bin/last-sent.bin: no image is known to have reached the device
  UpToDate,         // the image compiled now equals bin/last-sent.bin
  Changed,          // it differs; `changes` counts how
  RecordUnreadable, // bin/last-sent.bin is there but is no sound image: what the device holds is unknown
};

inline constexpr std::size_t kUnitStateCount = static_cast<std::size_t>(UnitState::RecordUnreadable) + 1;

using Ipv4 = std::array<std::uint8_t, 4>;

// "10.0.0.2": an address as it is written everywhere.
std::string dotted(const Ipv4& address);

// What the image compiled now gives the device.
struct UnitSettings {
  Ipv4 address{};
  Ipv4 mask{};
  std::uint32_t modbus_id = 0;
  std::uint32_t channels = 0;
  bool operator==(const UnitSettings&) const = default;
};

// How the image compiled now differs from the last one sent, as the diff
// counts it.
struct ImageChanges {
  std::size_t fields = 0;
  std::size_t channels = 0;
  bool operator==(const ImageChanges&) const = default;
};

// The last line of the update log.
struct LastAttempt {
  LoggedAttempt logged;                       // in the log's own words
  std::optional<UpdateOutcome::Kind> outcome; // nullopt for a word the program never writes
  std::optional<int> exit_status;             // the updater's, when it ended
  bool succeeded() const { return logged.succeeded(); }
};

struct UnitStatus {
  std::string name;
  std::string conf_dir;
  UnitState state = UnitState::NeverSent;
  // Why a folder is no configuration, the refusal in the language of the
  // texts (an editor's test) or in the reader's words, or why the last image
  // sent can't be read.
  std::string message;
  ImageChanges changes;                   // Changed only
  std::optional<UnitSettings> configured; // none for a configuration step 4 would refuse
  // The device's address as the last image sent with success set it; for a
  // unit never sent, the configured one. None when neither is known.
  std::optional<Ipv4> address_now;
  bool address_now_recorded = false;         // it comes from the last image sent
  std::optional<LastAttempt> last_attempt;   // none without a logged attempt
  std::optional<std::string> log_unreadable; // why the update log can't be read
};

// Whether a unit in this state may be handed to the updater at all.
bool sendable(UnitState state);

// The status of one folder of projects_dir, as site_entries lists it. Every
// file is read within its reader's limits and never through a link where
// the record is concerned; nothing is written.
UnitStatus unit_status(const std::string& projects_dir, const SiteEntry& entry, const TextTable& texts);
// The same for one folder, named by its last part: the open configuration.
UnitStatus unit_status(const std::string& conf_dir, const TextTable& texts);

// Every visible folder of projects_dir by name, each with its status; a
// folder that is no configuration is listed with why. None when the folder
// can't be listed, as site_entries has it.
std::vector<UnitStatus> site_status(const std::string& projects_dir, const TextTable& texts);

} // namespace lw
