#include "cli.h"
#include "core/app_state.h"
#include "core/identity.h"
#include "languages/language_file.h"
#include "options/settings_file.h"
#include "platform/files.h"

#include <ostream>

namespace lw::cli {

int cmd_texts(const Parsed& args, Io& io) {
  AppState state;
  state.App_Dir = io.exe_dir;
  state.Language_Dir = fs::join(state.App_Dir, kLanguageFolder);
  std::string settings = fs::join(state.App_Dir, kSettingsFile);
  if (fs::exists(settings))
    read_settings_file(settings, state);
  else
    apply_settings_defaults(state);
  state.Language_Name = args.value("--language", state.Language_Name);
  if (auto problem = Load_Language(state)) complain(io.err, args.command) << *problem << "\n";
  io.out << write_language_file(state.Text_Table, state.Language_Version);
  return kExitOk;
}

} // namespace lw::cli
