#include "cli.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"

#include <ostream>

namespace lw::cli {

// A copy of the configuration beside it, made whole or not at all; the name
// follows the new-configuration rules and a refusal prints their message.
int cmd_duplicate(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string& name = args.positionals[1];
  std::string source = absolute_folder(dir);
  std::string projects_dir = fs::parent_folder(source);
  // The name is looked at first, so a refused one reads nothing.
  if (new_name_refusal(projects_dir, name)) return place_new(args, io, projects_dir, name, {});
  return place_new(args, io, projects_dir, name, read_configuration(source));
}

} // namespace lw::cli
