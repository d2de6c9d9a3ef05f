#include "window_logic/startup.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/ports.h"
#include "languages/language_file.h"
#include "options/settings_file.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"
#include "projects/project_name.h"

namespace lw {

void apply_timer_rule(const AppState& state, UpdateTimer& timer) {
  if (state.Enable_Internet && state.Enable_Update) {
    if (!timer.active()) timer.start();
  } else {
    timer.stop();
  }
}

void Set_Files(AppState& state) {
  state.File_ParGen = fs::join(state.Conf_Dir, kParGenFile);
  state.File_DMX_Default = fs::join(state.Conf_Dir, kDmxDefaultFile);
  state.File_ModbusTCPM_SetAccess = fs::join(state.Conf_Dir, kModbusTcpmAccessFile);
  state.File_ModbusM_SetAccess = fs::join(state.Conf_Dir, kModbusMAccessFile);
}

void remove_stale_temporaries(const AppState& state) {
  constexpr int kMinAgeSeconds = 60;
  constexpr std::string_view kAppFiles[] = {kSettingsFile, kDescriptorFile};
  constexpr std::string_view kConfigurationFiles[] = {kParGenFile, kDmxDefaultFile};
  constexpr std::string_view kBinFiles[] = {kBankFile};
  fs::remove_stale_temporaries(state.App_Dir, kAppFiles, kMinAgeSeconds);
  remove_stale_configurations_aside(state.Projects_Dir, kMinAgeSeconds);
  for (const fs::DirEntry& entry : fs::list_dir(state.Projects_Dir)) {
    if (!entry.is_dir || entry.is_symlink) continue;
    std::string conf = fs::join(state.Projects_Dir, entry.name);
    fs::remove_stale_temporaries(conf, kConfigurationFiles, kMinAgeSeconds);
    fs::remove_stale_temporaries(fs::join(conf, kBinFolder), kBinFiles, kMinAgeSeconds);
  }
}

std::vector<std::string> Run_Startup(AppState& state, const std::string& exe_dir, UpdateTimer& timer) {
  std::vector<std::string> problems;
  state.Text_Table.Clear();
  state.App_Dir = exe_dir;
  state.Master_Dir = fs::join(state.App_Dir, kMasterFolder);
  state.Projects_Dir = fs::join(state.App_Dir, kProjectsFolder);
  state.Language_Dir = fs::join(state.App_Dir, kLanguageFolder);
  // A folder that can't be created is not reported: the program goes on.
  for (const std::string* dir : {&state.Master_Dir, &state.Projects_Dir, &state.Language_Dir}) {
    if (!fs::is_dir(*dir)) fs::make_dir(*dir);
  }
  state.Conf_Name.clear();
  state.Update_Read_Back = true;
  state.Settings_Save_Blocked = false;
  remove_stale_temporaries(state);
  std::string settings = fs::join(state.App_Dir, kSettingsFile);
  if (!fs::exists(settings))
    apply_settings_defaults(state);
  else if (auto problem = read_settings_file(settings, state))
    problems.push_back(set_aside_unusable_settings(state, settings, *problem));
  apply_timer_rule(state, timer);
  state.Main_Title = std::string(kMain_Title);
  state.SW_Code = std::string(kSW_Code);
  state.SW_Desc = std::string(kSW_Desc);
  if (auto problem = Load_Language(state)) problems.push_back(*problem);
  if (!state.Conf_Name.empty() && stays_in_projects(state.Conf_Name) &&
      fs::is_dir(fs::join(state.Projects_Dir, state.Conf_Name)))
    state.Conf_Dir = fs::join(state.Projects_Dir, state.Conf_Name);
  else
    state.Conf_Dir.clear();
  Set_Files(state);
  return problems;
}

} // namespace lw
