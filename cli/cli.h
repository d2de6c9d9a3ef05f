#pragma once
#include "args.h"
#include "command_failure.h"
#include "core/text_table.h"
#include "exit_status.h"
#include "projects/configuration_copy.h"
#include "site/site_checks.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace lw {
class PdfRenderer;
}

namespace lw::cli {

struct Io {
  std::ostream& out;
  std::ostream& err;
  std::string exe_dir;
  PdfRenderer* pdf = nullptr; // null: sheets are written as HTML only
};

using Handler = int (*)(const Parsed& args, Io& io);

// One command of the companion: dispatch, its usage line, its line in
// --help, its own help and the checks of its folders all come from its row.
struct Command {
  std::string_view name; // one word, or two for a command with subcommands ("dmx export")
  Syntax syntax;
  std::string_view summary;
  Handler handler;
  std::vector<std::string_view> aliases = {};
};

const std::vector<Command>& commands();
std::string help_text();
// `loomwork-cli COMMAND --help`: its usage, its summary and a line for each
// argument and option.
std::string command_help(const Command& command);

int run(const Args& args, Io& io);

int cmd_texts(const Parsed& args, Io& io);
int cmd_check(const Parsed& args, Io& io);
int cmd_check_site(const Parsed& args, Io& io);
int cmd_duplicate(const Parsed& args, Io& io);
int cmd_export(const Parsed& args, Io& io);
int cmd_import(const Parsed& args, Io& io);
int cmd_compile(const Parsed& args, Io& io);
int cmd_inspect(const Parsed& args, Io& io);
int cmd_diff(const Parsed& args, Io& io);
int cmd_descriptor(const Parsed& args, Io& io);
int cmd_update(const Parsed& args, Io& io);
int cmd_update_site(const Parsed& args, Io& io);
int cmd_site(const Parsed& args, Io& io);
int cmd_check_update(const Parsed& args, Io& io);
int cmd_dmx_export(const Parsed& args, Io& io);
int cmd_dmx_import(const Parsed& args, Io& io);
int cmd_batch(const Parsed& args, Io& io);
int cmd_sheet(const Parsed& args, Io& io);
int cmd_report(const Parsed& args, Io& io);
int cmd_report_site(const Parsed& args, Io& io);
int cmd_import_image(const Parsed& args, Io& io);

// Gives each positional left out its kind's default and checks each folder
// as its kind says: false after the one-line complaint, the command's cue to
// end with kExitUsage before it looks at anything.
[[nodiscard]] bool check_positionals(const Syntax& syntax, Parsed& args, const Io& io);
std::string absolute_folder(const std::string& dir);

// A name or a message from a file or a sheet (megabytes of it, maybe) is
// shown by its start, so it can't bury the line it stands in.
inline constexpr std::size_t kShownNameChars = 80;
inline constexpr std::size_t kShownMessageChars = 320;

// The companion speaks the catalogue's English.
TextTable english_texts();
// One "note: " line each.
void print_notes(const std::vector<SiteNote>& notes, const TextTable& texts, Io& io);
// The text to standard output when `output` is empty, else saved there
// atomically and its path printed; NotWritten when it can't be.
void print_or_save(const std::string& text, const std::string& output, Io& io);
// Makes the configuration `name` in projects_dir with exactly these files
// by the new-configuration rules and prints its folder: kExitOk,
// kExitNameRefused with the rules' message (and `hint` after it), or
// NotWritten with the system's.
int place_new(const Parsed& args, Io& io, const std::string& projects_dir, const std::string& name,
              const ConfigurationFiles& files, std::string_view hint = {});
std::string projects_beside(const Io& io);
// The MASTER folder beside the program, which the descriptor names.
std::string master_beside(const Io& io);

} // namespace lw::cli
