#pragma once
#include "projects/project_name.h"

#include <optional>
#include <string>
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

// Where a configuration keeps its XML files and its compiled image.
std::vector<std::string> configuration_places();

// The files of the configuration in conf_dir that it holds: its XML files
// and its compiled image. Throws FileError when conf_dir is no folder, holds
// neither a configuration file nor a bin folder, or a file can't be read.
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

// The same, except that a configuration already named so is replaced: the
// old one stays whole until the new one has taken its name, then goes.
std::optional<NameRefusal> replace_configuration(const std::string& projects_dir, const std::string& name,
                                                 const ConfigurationFiles& files);

// A copy of the configuration in conf_dir, beside it under `name`. The name
// is looked at first, so a refused name reads nothing.
std::optional<NameRefusal> duplicate_configuration(const std::string& conf_dir, const std::string& name);

} // namespace lw
