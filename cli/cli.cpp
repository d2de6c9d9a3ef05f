#include "cli.h"

#include "core/identity.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"
#include "projects/output_guard.h"
#include "update_args.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace lw::cli {

namespace {
// Summaries start in this column of the help; a longer synopsis puts its
// summary on the next line.
constexpr std::size_t kSummaryColumn = 28;

int cmd_help(const Parsed&, Io& io) {
  io.out << help_text();
  return kExitOk;
}

// How many leading arguments name the command: 0 when they don't.
std::size_t words_named(const Command& command, const Args& args) {
  if (command.name.find(' ') != std::string_view::npos)
    return args.size() > 1 && command.name == args[0] + " " + args[1] ? 2 : 0;
  return command.name == args[0] || std::ranges::find(command.aliases, args[0]) != command.aliases.end() ? 1
                                                                                                         : 0;
}

// The unknown command as typed: after the first word of a command with
// subcommands, the subcommand too.
std::string unknown_name(const Args& args) {
  for (const auto& command : commands())
    if (command.name.starts_with(args[0] + " ")) return args.size() > 1 ? args[0] + " " + args[1] : args[0];
  return args[0];
}

int cmd_version(const Parsed&, Io& io) {
  io.out << SW_Version << "\n";
  return kExitOk;
}
} // namespace

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {"texts",
       {{}, {{"--language", "NAME"}}},
       "print the text catalogue as a complete language file",
       cmd_texts},
      {"check",
       {{"CONF_DIR"}, {}},
       "run the editors' tests on a configuration's stored files, then its addressing notes",
       cmd_check},
      {"check --site",
       {{}, {}, false, {"PROJECTS_DIR"}},
       "check every configuration in PROJECTS_DIR (default: PROJECTS beside the program), then their "
       "addressing",
       cmd_check_site},
      {"duplicate",
       {{"CONF_DIR", "NEW_NAME"}, {}},
       "copy a configuration beside it under a new name",
       cmd_duplicate},
      {"import-image",
       {{"IMAGE", "NAME"}, {{"--projects", "PROJECTS_DIR"}}},
       "make the configuration NAME in PROJECTS_DIR (default: PROJECTS beside the program) from a parameter "
       "image; mnemonics can't be recovered",
       cmd_import_image},
      {"export",
       {{"CONF_DIR"}, {{"-o", "FILE.zip", true}}},
       "write the configuration, its update log and the images sent as one zip",
       cmd_export},
      {"import",
       {{"FILE.zip"}, {{"--name", "NAME"}}},
       "make a configuration in PROJECTS beside the program from a zip written by export",
       cmd_import},
      {"batch",
       {{"TEMPLATE_DIR", "SHEET.csv"}, {{"--replace"}, {"--dry-run"}}},
       "make a configuration for each row of a site sheet from a template, all or none",
       cmd_batch},
      {"sheet",
       {{}, {{"-o", "FILE"}}, false, {"PROJECTS_DIR"}},
       "write the site sheet of the configurations in PROJECTS_DIR (default: PROJECTS beside the program)",
       cmd_sheet},
      {"compile",
       {{"CONF_DIR"}, {{"-o", "FILE"}}},
       "compile the configuration into bank.bin (or FILE)",
       cmd_compile},
      {"inspect",
       {{"FILE"}, {{"--json"}}},
       "decode a parameter image: fields, checksum, DMX values",
       cmd_inspect},
      {"diff",
       {{"A", "B"}, {{"--json"}}},
       "what changes from image A to image B; each an image file or a configuration folder",
       cmd_diff},
      {"report",
       {{"CONF_DIR"}, {{"-o", "FILE", true}, {"--language", "NAME"}}},
       "write the configuration's commissioning sheet as FILE.pdf or FILE.html, labels in NAME "
       "(default: the program's language)",
       cmd_report},
      {"descriptor", update_syntax(true), "write the update descriptor for the configuration",
       cmd_descriptor},
      {"update", update_syntax(false), "the whole device update: image, probe, descriptor, updater",
       cmd_update},
      {"dmx export",
       {{"CONF_DIR"}, {{"-o", "FILE"}}},
       "write the DMX channel table as CSV to standard output (or FILE)",
       cmd_dmx_export},
      {"dmx import",
       {{"CONF_DIR", "FILE"}, {}},
       "read channel values and mnemonics from a CSV file into the table",
       cmd_dmx_import},
      {"check-update",
       {{}, {{"--server", "URL"}}},
       "ask the vendor's server (or URL) for a newer version: newer or none",
       cmd_check_update},
      // Whatever follows these two has never been looked at.
      {"--help", {{}, {}, true}, "show this help", cmd_help, {"-h", "help"}},
      {"--version", {{}, {}, true}, "print the configurator's version", cmd_version},
  };
  return table;
}

std::string help_text() {
  std::string out = "usage: loomwork-cli COMMAND [ARGS]\n"
                    "\n"
                    "Headless companion of the Loomwork configurator.\n"
                    "\n"
                    "commands:\n";
  for (const auto& command : commands()) {
    std::string line = "  " + synopsis(command.name, command.syntax);
    if (line.size() + 2 <= kSummaryColumn)
      line.resize(kSummaryColumn, ' ');
    else
      line += "\n" + std::string(kSummaryColumn, ' ');
    out += line + std::string(command.summary) + "\n";
  }
  return out;
}

bool is_folder(const std::string& dir, const Parsed& args, Io& io) {
  if (fs::is_dir(dir)) return true;
  complain(io.err, args.command) << utf8::printable(dir) << " is not a folder\n";
  return false;
}

bool is_configuration(const std::string& dir, const Parsed& args, Io& io) {
  if (!is_folder(dir, args, io)) return false;
  if (auto why = not_configuration_reason(dir)) {
    complain(io.err, args.command) << utf8::printable(dir) << ": " << *why << "\n";
    return false;
  }
  return true;
}

// A folder as an absolute path without a trailing separator: the descriptor
// names absolute files.
std::string absolute_folder(const std::string& dir) {
  std::u8string typed(dir.begin(), dir.end());
  std::u8string normal =
      std::filesystem::absolute(std::filesystem::path(typed)).lexically_normal().u8string();
  return fs::without_trailing_separators(std::string(normal.begin(), normal.end()));
}

TextTable english_texts() {
  TextTable texts;
  texts.Fill_English_Texts();
  return texts;
}

void print_notes(const std::vector<SiteNote>& notes, const TextTable& texts, Io& io) {
  for (const SiteNote& note : notes)
    io.out << "note: " << utf8::printable(note_text(note, texts)) << "\n";
}

int print_or_save(const std::string& text, const std::string& output, Io& io) {
  if (output.empty()) {
    io.out << text;
    return kExitOk;
  }
  try {
    save_output(output, text);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitNotWritten;
  }
  io.out << utf8::printable(output) << "\n";
  return kExitOk;
}

int place_new(const Parsed& args, Io& io, const std::string& projects_dir, const std::string& name,
              const ConfigurationFiles& files, std::string_view hint) {
  try {
    std::optional<NameRefusal> refusal = new_name_refusal(projects_dir, name);
    if (!refusal) {
      fs::make_dirs(projects_dir);
      refusal = place_configuration(projects_dir, name, files);
    }
    if (refusal) {
      complain(io.err, args.command) << english_texts().Get(refusal_message(*refusal)) << hint << "\n";
      return kExitNameRefused;
    }
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitNotWritten;
  }
  io.out << utf8::printable(fs::join(projects_dir, name)) << "\n";
  return kExitOk;
}

std::string projects_folder(const Parsed& args, const Io& io) {
  return args.positionals.empty() ? projects_beside(io) : args.positionals[0];
}

std::string projects_beside(const Io& io) { return fs::join(io.exe_dir, kProjectsFolder); }

int run(const Args& args, Io& io) {
  if (args.empty()) {
    io.err << "loomwork-cli: no command given (try --help)\n";
    return kExitUsage;
  }
  const auto& table = commands();
  // The row naming the most words: "check --site" before "check".
  auto command = std::max_element(table.begin(), table.end(), [&](const Command& a, const Command& b) {
    return words_named(a, args) < words_named(b, args);
  });
  if (words_named(*command, args) == 0) {
    io.err << "loomwork-cli: unknown command '" << utf8::printable(unknown_name(args)) << "' (try --help)\n";
    return kExitUsage;
  }
  auto words = static_cast<long>(words_named(*command, args));
  auto parsed = parse(command->name, command->syntax, Args(args.begin() + words, args.end()), io.err);
  if (!parsed) return kExitUsage;
  return command->handler(*parsed, io);
}

} // namespace lw::cli
