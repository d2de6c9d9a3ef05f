#include "cli.h"

#include "core/identity.h"

#include <ostream>

namespace lw::cli {

namespace {
constexpr const char* kHelp =
    "usage: loomwork-cli COMMAND [ARGS]\n"
    "\n"
    "Headless companion of the Loomwork configurator.\n"
    "\n"
    "commands:\n"
    "  texts [--language NAME]   print the text catalogue as a complete language file\n"
    "  check CONF_DIR            run the editors' tests on a configuration's stored files\n"
    "  compile CONF_DIR [-o FILE]\n"
    "                            compile the configuration into bank.bin (or FILE)\n"
    "  inspect FILE [--json]     decode a parameter image: fields, checksum, DMX values\n"
    "  descriptor CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back] [-o FILE]\n"
    "                            write the update descriptor for the configuration\n"
    "  update CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back]\n"
    "                            the whole device update: image, probe, descriptor, updater\n"
    "  check-update [--server URL]\n"
    "                            ask the vendor's server (or URL) for a newer version: newer or none\n"
    "  --help                    show this help\n"
    "  --version                 print the configurator's version\n";
} // namespace

int run(const Args& args, Io& io) {
  if (args.empty()) {
    io.err << "loomwork-cli: no command given (try --help)\n";
    return kExitUsage;
  }
  const std::string& command = args[0];
  Args rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    io.out << kHelp;
    return kExitOk;
  }
  if (command == "--version") {
    io.out << SW_Version << "\n";
    return kExitOk;
  }
  if (command == "texts") return cmd_texts(rest, io);
  if (command == "check") return cmd_check(rest, io);
  if (command == "compile") return cmd_compile(rest, io);
  if (command == "inspect") return cmd_inspect(rest, io);
  if (command == "descriptor") return cmd_descriptor(rest, io);
  if (command == "update") return cmd_update(rest, io);
  if (command == "check-update") return cmd_check_update(rest, io);
  io.err << "loomwork-cli: unknown command '" << command << "' (try --help)\n";
  return kExitUsage;
}

} // namespace lw::cli
