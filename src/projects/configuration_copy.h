#pragma once
#include "projects/configuration_folder.h"
#include "projects/project_name.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

// One file of a configuration, by its place inside the configuration's
// folder ("ParGen.xml", "bin/bank.bin"), with its bytes.
struct ConfigurationFile {
  std::string place;
  std::string bytes;
  bool operator==(const ConfigurationFile&) const = default;
};
using ConfigurationFiles = std::vector<ConfigurationFile>;

// The files of the configuration in conf_dir that it holds: its XML files
// and its compiled image. Throws FileError when conf_dir is no configuration
// folder or a file can't be read.
ConfigurationFiles read_configuration(const std::string& conf_dir);

// What was sent from the configuration in conf_dir: its update log, the
// last image sent and every image in bin/sent, those it holds. Throws
// FileError when one can't be read, or is a link (so is bin or bin/sent):
// the record is never read through one.
ConfigurationFiles read_history(const std::string& conf_dir);

// Makes the configuration `name` in projects_dir with its bin folder and
// exactly these files, whole or not at all: it is built beside its place and
// renamed into it. The name follows the new-configuration rules; returns its
// refusal, or nullopt once the configuration is in place. Throws FileError
// when it can't be written; nothing is left behind then.
std::optional<NameRefusal> place_configuration(const std::string& projects_dir, const std::string& name,
                                               const ConfigurationFiles& files);

// The same, except that a configuration already named so has its own files
// replaced where they stand, each atomically as the editors save them: those
// of `files` written, the others of configuration_places() removed.
// Everything else in its folder stays as it is: the update log, the images
// sent and whatever the user keeps there. Throws FileError, with
// not_replaceable_reason, when the name holds something that is not
// replaceable so, or when a file can't be written; the files written before
// it stand.
std::optional<NameRefusal> replace_configuration(const std::string& projects_dir, const std::string& name,
                                                 const ConfigurationFiles& files);

// A new configuration is built in a hidden folder beside its place, named
// for what is being made, so one that a killed process left explains itself.
inline constexpr std::string_view kConfigurationAsidePrefix = "new-configuration";

// Removes from projects_dir the folders aside that a process killed while
// making a configuration left, once at least min_age_seconds old; returns
// how many went.
int remove_stale_configurations_aside(const std::string& projects_dir, int min_age_seconds);

// A copy of the configuration in conf_dir, beside it under `name`. The name
// is looked at first, so a refused name reads nothing.
std::optional<NameRefusal> duplicate_configuration(const std::string& conf_dir, const std::string& name);

} // namespace lw
