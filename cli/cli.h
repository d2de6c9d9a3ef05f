#pragma once
#include "args.h"
#include "core/text_table.h"
#include "exit_status.h"
#include "projects/configuration_copy.h"
#include "site/site_checks.h"

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

// One command of the companion: dispatch, its usage line and its line in
// --help all come from its row.
struct Command {
  std::string_view name; // one word, or two for a command with subcommands ("dmx export")
  Syntax syntax;
  std::string_view summary;
  Handler handler;
  std::vector<std::string_view> aliases = {};
};

const std::vector<Command>& commands();
std::string help_text();

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
int cmd_check_update(const Parsed& args, Io& io);
int cmd_dmx_export(const Parsed& args, Io& io);
int cmd_dmx_import(const Parsed& args, Io& io);
int cmd_batch(const Parsed& args, Io& io);
int cmd_sheet(const Parsed& args, Io& io);
int cmd_report(const Parsed& args, Io& io);
int cmd_import_image(const Parsed& args, Io& io);

// Says so and returns false when dir is not a folder.
[[nodiscard]] bool is_folder(const std::string& dir, const Parsed& args, Io& io);
// Says why and returns false when dir is no configuration folder
// (not_configuration_reason).
[[nodiscard]] bool is_configuration(const std::string& dir, const Parsed& args, Io& io);
std::string absolute_folder(const std::string& dir);

// The companion speaks the catalogue's English.
TextTable english_texts();
// One "note: " line each.
void print_notes(const std::vector<SiteNote>& notes, const TextTable& texts, Io& io);
// The text to standard output when `output` is empty, else saved there
// atomically and its path printed: kExitOk or kExitNotWritten.
int print_or_save(const std::string& text, const std::string& output, Io& io);
// Makes the configuration `name` in projects_dir with exactly these files
// by the new-configuration rules and prints its folder: kExitOk,
// kExitNameRefused with the rules' message (and `hint` after it), or
// kExitNotWritten with the system's.
int place_new(const Parsed& args, Io& io, const std::string& projects_dir, const std::string& name,
              const ConfigurationFiles& files, std::string_view hint = {});
// PROJECTS_DIR when given, else the PROJECTS beside the program.
std::string projects_folder(const Parsed& args, const Io& io);
std::string projects_beside(const Io& io);

} // namespace lw::cli
