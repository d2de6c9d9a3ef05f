#pragma once
#include <optional>
#include <string>
#include <vector>

namespace lw {

// What makes a folder a configuration's is decided here alone, for every
// command and every listing: a real folder, not a link, holding at least one
// of a configuration's files (ParGen.xml, DMX_Default_Values.xml, the two
// access files) or its bin folder, which a new configuration holds alone;
// an entry under one of those names counts whatever it is.
// Anything else is some other folder, and writing a configuration's files
// into it, or reading it as one, would be wrong.

// Where a configuration keeps its XML files and its compiled image.
std::vector<std::string> configuration_places();

// Why dir is no configuration folder, or nullopt when it is one: the
// system's text for a path that is no folder at all, else what is wrong.
std::optional<std::string> not_configuration_reason(const std::string& dir);

// Throws FileError naming dir and why unless it is a configuration folder.
void require_configuration(const std::string& dir);

// Why the configuration's own files in dir can't be replaced one by one
// where they stand, or nullopt when they can: dir is no configuration
// folder, or one of its own places holds a link (a write would land outside
// the folder) or something other than a file (bin: other than a folder).
std::optional<std::string> not_replaceable_reason(const std::string& dir);

// A visible folder of a PROJECTS folder: a configuration, or why not.
struct SiteEntry {
  std::string name;
  std::optional<std::string> not_configuration; // nullopt for a configuration
};

// The folders of projects_dir and the links to folders, by name; hidden
// names and files are left out.
std::vector<SiteEntry> site_entries(const std::string& projects_dir);

// The names of the configurations of projects_dir, by name.
std::vector<std::string> configuration_names(const std::string& projects_dir);

} // namespace lw
