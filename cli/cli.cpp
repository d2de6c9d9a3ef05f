#include "cli.h"

#include "core/identity.h"
#include "core/program_folders.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/output_guard.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace lw::cli {

namespace {
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
} // namespace

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

void print_or_save(const std::string& text, const std::string& output, Io& io) {
  if (output.empty()) {
    io.out << text;
    return;
  }
  written([&] { save_output(output, text); });
  io.out << utf8::printable(output) << "\n";
}

int place_new(const Parsed& args, Io& io, const std::string& projects_dir, const std::string& name,
              const ConfigurationFiles& files, std::string_view hint) {
  std::optional<NameRefusal> refusal = written([&] {
    std::optional<NameRefusal> refusal = new_name_refusal(projects_dir, name);
    if (refusal) return refusal;
    fs::make_dirs(projects_dir);
    return place_configuration(projects_dir, name, files);
  });
  if (refusal) {
    complain(io.err, args.command) << english_texts().Get(refusal_message(*refusal)) << hint << "\n";
    return kExitNameRefused;
  }
  io.out << utf8::printable(fs::join(projects_dir, name)) << "\n";
  return kExitOk;
}

std::string projects_beside(const Io& io) { return program_folders(io.exe_dir).Projects_Dir; }

std::string master_beside(const Io& io) { return program_folders(io.exe_dir).Master_Dir; }

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
  if (parsed->help) {
    io.out << command_help(*command);
    return kExitOk;
  }
  if (!check_positionals(command->syntax, *parsed, io)) return kExitUsage;
  try {
    return command->handler(*parsed, io);
  } catch (const NotWritten& e) {
    io.err << e.what() << "\n";
    return kExitNotWritten;
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
}

} // namespace lw::cli
