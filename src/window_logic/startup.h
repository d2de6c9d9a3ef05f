#pragma once
#include <string>
#include <vector>

namespace lw {

struct AppState;
class UpdateTimer;

// Runs exactly while both internet options are on; applying the rule to a
// running timer changes nothing.
void apply_timer_rule(const AppState& state, UpdateTimer& timer);

// The start-up sequence of the main window's creation, apart from arranging
// the controls and applying the window's texts, which are the view's part.
// Returns the problems worth telling the user: files that exist but could
// not be read.
std::vector<std::string> Run_Startup(AppState& state, const std::string& exe_dir, UpdateTimer& timer);

// Removes the temporary files that a write killed halfway left in the
// program's own folders (its folder, each configuration and its bin), and
// the configurations a killed copy or sheet left half-built aside.
void remove_stale_temporaries(const AppState& state);

// Derives the four file paths of the open configuration.
void Set_Files(AppState& state);

} // namespace lw
