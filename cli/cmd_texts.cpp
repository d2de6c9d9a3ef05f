#include "cli.h"
#include "core/app_state.h"
#include "core/identity.h"
#include "formats/utf8.h"
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
  const std::string asked = args.value("--language");
  if (!asked.empty()) state.Language_Name = asked;
  if (auto problem = Load_Language(state)) complain(io.err, args.command) << *problem << "\n";
  // A language asked for by name and not found is an error, not English in
  // disguise; a name with a path in it is never looked up.
  if (!asked.empty() && state.Language_Name != asked) {
    complain(io.err, args.command) << "no language " << utf8::printable(asked) << " in "
                                   << utf8::printable(state.Language_Dir) << "\n";
    return kExitUnreadable;
  }
  io.out << write_language_file(state.Text_Table, state.Language_Version);
  return kExitOk;
}

} // namespace lw::cli
