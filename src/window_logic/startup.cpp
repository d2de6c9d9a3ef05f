#include "window_logic/startup.h"

#include "core/identity.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "languages/language_file.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"
#include "projects/project_name.h"

namespace lw {

void apply_timer_rule(const Settings& settings, UpdateTimer& timer) {
  if (settings.Enable_Internet && settings.Enable_Update) {
    if (!timer.active()) timer.start();
  } else {
    timer.stop();
  }
}

std::optional<std::string> load_chosen_language(Catalogue& catalogue, const std::string& language_dir,
                                                Settings& settings) {
  auto problem = Load_Language(catalogue, language_dir, settings.Language_Name);
  settings.Language_Name = catalogue.Texts_Language;
  return problem;
}

void remove_stale_temporaries(const ProgramFolders& folders) {
  constexpr int kMinAgeSeconds = 60;
  constexpr std::string_view kAppFiles[] = {kSettingsFile, kDescriptorFile};
  constexpr std::string_view kConfigurationFiles[] = {kParGenFile, kDmxDefaultFile};
  constexpr std::string_view kBinFiles[] = {kBankFile};
  fs::remove_stale_temporaries(folders.App_Dir, kAppFiles, kMinAgeSeconds);
  remove_stale_configurations_aside(folders.Projects_Dir, kMinAgeSeconds);
  for (const fs::DirEntry& entry : fs::list_dir(folders.Projects_Dir)) {
    if (!entry.is_dir || entry.is_symlink) continue;
    std::string conf = fs::join(folders.Projects_Dir, entry.name);
    fs::remove_stale_temporaries(conf, kConfigurationFiles, kMinAgeSeconds);
    fs::remove_stale_temporaries(fs::join(conf, kBinFolder), kBinFiles, kMinAgeSeconds);
  }
}

Started Run_Startup(const ProgramFolders& folders, UpdateTimer& timer) {
  Started started;
  // A folder that can't be created is not reported: the program goes on.
  for (const std::string* dir : {&folders.Master_Dir, &folders.Projects_Dir, &folders.Language_Dir}) {
    if (!fs::is_dir(*dir)) fs::make_dir(*dir);
  }
  remove_stale_temporaries(folders);
  started.settings_file = settings_file(folders.App_Dir);
  if (fs::exists(started.settings_file.path)) {
    SettingsReading read = read_settings_file(started.settings_file.path);
    started.settings = std::move(read.settings);
    if (read.problem)
      started.problems.push_back(set_aside_unusable_settings(started.settings_file, *read.problem));
  }
  apply_timer_rule(started.settings, timer);
  if (auto problem = load_chosen_language(started.catalogue, folders.Language_Dir, started.settings))
    started.problems.push_back(*problem);
  const std::string& name = started.settings.Last_Conf_Name;
  std::string dir = fs::join(folders.Projects_Dir, name);
  bool present = !name.empty() && stays_in_projects(name) && fs::is_dir(dir);
  started.conf = configuration_at(name, present ? dir : std::string());
  return started;
}

} // namespace lw
