#pragma once
#include <optional>
#include <string>

namespace lw {

struct AppState;

// Reads the seven stored values of Loomwork.xml into the state; each value
// that can't be read takes its own default. A file that is missing, empty or
// not well-formed gives the defaults of a missing file. Returns the system's
// or the parser's text when the file exists but can't be used.
std::optional<std::string> read_settings_file(const std::string& path, AppState& state);

// Moves an unusable settings file aside before anything can write the
// defaults over it; when it can't be moved, blocks writing the settings.
// Returns the one warning to show: the reason and what became of the file.
std::string set_aside_unusable_settings(AppState& state, const std::string& path, const std::string& reason);
void apply_settings_defaults(AppState& state);

// The settings document as written: root first, no declaration, UTF-8.
std::string settings_xml(const AppState& state);

// Writes App_Dir/Loomwork.xml atomically, unless writing is blocked; throws
// FileError.
void Save_Setting(const AppState& state);

} // namespace lw
