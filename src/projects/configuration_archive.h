#pragma once
#include "projects/configuration_copy.h"

#include <optional>
#include <string>

namespace lw {

// A configuration as one zip, to keep or to mail: every file of it under one
// folder named as the configuration, as unpacking it by hand gives it back:
// "<name>/ParGen.xml", "<name>/bin/bank.bin", "<name>/update-log.csv",
// "<name>/bin/sent/...".

// A configuration as it goes into a zip and comes back: its name and its
// files, by their places in the configuration.
struct ArchivedConfiguration {
  std::string name;
  ConfigurationFiles files;
};

// The configuration in conf_dir with what was sent from it. Throws
// FileError as read_configuration does.
ArchivedConfiguration gather_configuration(const std::string& conf_dir);

// Writes it as the zip at zip_path, a path the user gave (see
// output_refusal). Throws FileError; a zip standing there stays whole then.
void write_configuration_archive(const ArchivedConfiguration& configuration, const std::string& zip_path);

// Both: the configuration in conf_dir to the zip at zip_path.
void export_configuration(const std::string& conf_dir, const std::string& zip_path);

// Throws FileError, naming the entry and the reason, for a zip that is not
// one configuration's files and folders alone (and for any unsafe or
// oversized entry): nothing of it is handed back then.
ArchivedConfiguration read_configuration_archive(const std::string& zip_path);

// Makes the archived configuration in projects_dir under `name` (empty: the
// name it was exported under), whole or not at all, by the new-configuration
// rules: their refusal, or nullopt once it is in place. Throws FileError when
// the zip is refused or the configuration can't be written.
std::optional<NameRefusal> import_configuration(const std::string& zip_path, const std::string& projects_dir,
                                                const std::string& name);

} // namespace lw
