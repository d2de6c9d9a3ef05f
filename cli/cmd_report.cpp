#include "cli.h"
#include "core/app_state.h"
#include "core/identity.h"
#include "core/portable_name.h"
#include "formats/utf8.h"
#include "languages/language_file.h"
#include "languages/language_locale.h"
#include "options/settings_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"
#include "report/commissioning_sheet.h"

#include <ostream>

namespace lw::cli {

namespace {
// The catalogue in --language, else in the language the program was last
// set to, else English.
std::optional<AppState> sheet_language(const Parsed& args, Io& io) {
  AppState state;
  state.App_Dir = io.exe_dir;
  state.Language_Dir = fs::join(io.exe_dir, kLanguageFolder);
  if (args.has("--language")) {
    state.Language_Name = args.value("--language");
    if (!is_portable_name(state.Language_Name) ||
        !fs::is_file(fs::join(state.Language_Dir, state.Language_Name + ".lng"))) {
      complain(io.err, args.command) << "no language " << state.Language_Name << " in " << state.Language_Dir
                                     << "\n";
      return std::nullopt;
    }
  } else {
    read_settings_file(fs::join(io.exe_dir, kSettingsFile), state);
  }
  if (auto problem = Load_Language(state)) io.err << *problem << "\n";
  return state;
}
} // namespace

int cmd_report(const Parsed& args, Io& io) {
  std::string conf_dir = args.positionals[0];
  const std::string output = args.value("-o");
  std::optional<SheetFormat> format = sheet_format(output);
  if (!format) {
    complain(io.err, args.command) << utf8::printable(output)
                                   << ": a sheet is written as .pdf, .html or .htm\n";
    return kExitUsage;
  }
  std::optional<AppState> state = sheet_language(args, io);
  if (!state) return kExitUsage;
  conf_dir = absolute_folder(conf_dir);
  SystemWallClock wall;
  SheetFacts facts{fs::file_name(conf_dir), conf_dir, wall.local_now(),
                   std::string(locale_of_language(state->Texts_Language))};
  doc::Document sheet = commissioning_sheet(facts, state->Text_Table);
  print_or_save(commissioning_sheet_bytes(sheet, *format, io.pdf), output, io);
  return kExitOk;
}

} // namespace lw::cli
