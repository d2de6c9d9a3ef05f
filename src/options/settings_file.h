#pragma once
#include "options/settings.h"

#include <optional>
#include <string>

namespace lw {

// The seven stored values of Loomwork.xml; each value that can't be read
// takes its own default. A file that is missing, empty or not well-formed
// gives the defaults of a missing file, and the problem is the system's or
// the parser's text.
struct SettingsReading {
  Settings settings;
  std::optional<std::string> problem;
};
SettingsReading read_settings_file(const std::string& path);

// The settings file of the program's folder, and whether this run may write
// it: that is a fact about the file found at start, never a setting, so it
// is neither read nor written with the values.
struct SettingsFile {
  std::string path;
  // Set when an unusable file could not be moved aside: writing the defaults
  // over it would lose what the user had.
  bool Settings_Save_Blocked = false;
};
SettingsFile settings_file(const std::string& app_dir);

// Moves an unusable settings file aside before anything can write the
// defaults over it; when it can't be moved, blocks writing the settings.
// Returns the one warning to show: the reason and what became of the file.
std::string set_aside_unusable_settings(SettingsFile& file, const std::string& reason);

// The settings document as written: root first, no declaration, UTF-8.
std::string settings_xml(const Settings& settings);

// Writes the file atomically, unless writing is blocked; throws FileError.
void Save_Setting(const SettingsFile& file, const Settings& settings);

} // namespace lw
