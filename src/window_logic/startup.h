#pragma once
#include "core/catalogue.h"
#include "core/open_configuration.h"
#include "options/settings_file.h"

#include <optional>
#include <string>
#include <vector>

namespace lw {

struct ProgramFolders;
class UpdateTimer;

// Runs exactly while both internet options are on; applying the rule to a
// running timer changes nothing.
void apply_timer_rule(const Settings& settings, UpdateTimer& timer);

// Loads the catalogue of the language the settings name. A language whose
// file can't be found falls back to English, which the settings then name,
// so the next start does not look for it again.
std::optional<std::string> load_chosen_language(Catalogue& catalogue, const std::string& language_dir,
                                                Settings& settings);

// What the start-up leaves for the windows.
struct Started {
  Settings settings;
  SettingsFile settings_file;
  OpenConfiguration conf;
  Catalogue catalogue;
  // The problems worth telling the user: files that exist but could not be
  // read.
  std::vector<std::string> problems;
};

// The start-up sequence of the main window's creation, apart from arranging
// the controls and applying the window's texts, which are the view's part.
Started Run_Startup(const ProgramFolders& folders, UpdateTimer& timer);

// Removes the temporary files that a write killed halfway left in the
// program's own folders (its folder, each configuration and its bin), and
// the configurations a killed copy or sheet left half-built aside.
void remove_stale_temporaries(const ProgramFolders& folders);

} // namespace lw
