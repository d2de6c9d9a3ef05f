#include "cli.h"
#include "formats/utf8.h"
#include "projects/configuration_archive.h"

#include <ostream>

namespace lw::cli {

// The configuration with what was sent from it, as one zip.
int cmd_export(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string output = args.value("-o");
  ArchivedConfiguration configuration = gather_configuration(absolute_folder(dir));
  written([&] { write_configuration_archive(configuration, output); });
  io.out << utf8::printable(output) << "\n";
  return kExitOk;
}

// A new configuration in the PROJECTS beside the program, from a zip read
// whole and checked before anything is written.
int cmd_import(const Parsed& args, Io& io) {
  const std::string& zip_path = args.positionals[0];
  ArchivedConfiguration archived = read_configuration_archive(zip_path);
  return place_new(args, io, projects_beside(io), args.value("--name", archived.name), archived.files,
                   args.has("--name") ? "" : " (give another with --name)");
}

} // namespace lw::cli
