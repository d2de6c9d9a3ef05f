#include "cli.h"
#include "core/text_table.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"

#include <ostream>

namespace lw::cli {

// A copy of the configuration beside it, made whole or not at all; the name
// follows the new-configuration rules and a refusal prints their message.
int cmd_duplicate(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string& name = args.positionals[1];
  if (!is_folder(dir, args, io)) return kExitUsage;
  std::string source = absolute_folder(dir);
  std::string projects_dir = fs::parent_folder(source);
  auto refused = [&](NameRefusal refusal) {
    complain(io.err, args.command) << english_texts().Get(refusal_message(refusal)) << "\n";
    return kExitNameRefused;
  };
  if (auto refusal = new_name_refusal(projects_dir, name)) return refused(*refusal);
  ConfigurationFiles files;
  try {
    files = read_configuration(source);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
  try {
    if (auto refusal = place_configuration(projects_dir, name, files)) return refused(*refusal);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitNotWritten;
  }
  io.out << fs::join(projects_dir, name) << "\n";
  return kExitOk;
}

} // namespace lw::cli
