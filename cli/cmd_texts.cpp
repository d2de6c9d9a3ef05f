#include "cli.h"
#include "core/catalogue.h"
#include "core/program_folders.h"
#include "formats/utf8.h"
#include "languages/language_file.h"
#include "options/settings_file.h"
#include "platform/files.h"

#include <ostream>

namespace lw::cli {

int cmd_texts(const Parsed& args, Io& io) {
  const ProgramFolders folders = program_folders(io.exe_dir);
  const std::string asked = args.value("--language");
  const std::string name =
      asked.empty() ? read_settings_file(settings_file(folders.App_Dir).path).settings.Language_Name : asked;
  Catalogue catalogue;
  if (auto problem = Load_Language(catalogue, folders.Language_Dir, name))
    complain(io.err, args.command) << *problem << "\n";
  // A language asked for by name and not found is an error, not English in
  // disguise; a name with a path in it is never looked up.
  if (!asked.empty() && catalogue.Texts_Language != asked) {
    complain(io.err, args.command) << "no language " << utf8::printable(asked) << " in "
                                   << utf8::printable(folders.Language_Dir) << "\n";
    return kExitUnreadable;
  }
  io.out << write_language_file(catalogue.Text_Table, catalogue.Language_Version);
  return kExitOk;
}

} // namespace lw::cli
