#include "cli.h"
#include "core/identity.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/configuration_archive.h"

#include <ostream>

namespace lw::cli {

// The configuration with what was sent from it, as one zip.
int cmd_export(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string output = args.value("-o");
  if (!is_configuration(dir, args, io)) return kExitUsage;
  ArchivedConfiguration configuration;
  try {
    configuration = gather_configuration(absolute_folder(dir));
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
  try {
    write_configuration_archive(configuration, output);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitNotWritten;
  }
  io.out << utf8::printable(output) << "\n";
  return kExitOk;
}

// A new configuration in the PROJECTS beside the program, from a zip read
// whole and checked before anything is written.
int cmd_import(const Parsed& args, Io& io) {
  const std::string& zip_path = args.positionals[0];
  const std::string projects_dir = fs::join(io.exe_dir, kProjectsFolder);
  ArchivedConfiguration archived;
  try {
    archived = read_configuration_archive(zip_path);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
  return place_new(args, io, projects_dir, args.value("--name", archived.name), archived.files,
                   args.has("--name") ? "" : " (give another with --name)");
}

} // namespace lw::cli
