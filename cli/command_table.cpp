#include "cli.h"
#include "core/identity.h"
#include "site_selection.h"

#include <ostream>

namespace lw::cli {

namespace {
int cmd_help(const Parsed&, Io& io) {
  io.out << help_text();
  return kExitOk;
}

int cmd_version(const Parsed&, Io& io) {
  io.out << SW_Version << "\n";
  return kExitOk;
}

// The arguments several commands share, said the same way in each.
constexpr Positional kConfDir{
    .name = "CONF_DIR", .kind = Positional::Configuration, .description = "the configuration's folder"};
constexpr Positional kProjectsDir{.name = "PROJECTS_DIR",
                                  .kind = Positional::Projects,
                                  .description =
                                      "a folder of configurations (default: PROJECTS beside the program)",
                                  .optional = true};
const Option kJson{.name = "--json", .description = "print JSON in place of text"};
const Option kLanguage{.name = "--language",
                       .value = "NAME",
                       .description =
                           "the texts of LANGUAGE/NAME.lng over English (default: the program's language)"};
const Option kSheetOutput{.name = "-o",
                          .value = "FILE",
                          .description = "the sheet: FILE.pdf, FILE.html or FILE.htm",
                          .required = true};

// What every hand-over lets the engineer choose.
const Option kUpdateOption{.name = "--option",
                           .description = "0 firmware and configuration, 1 firmware alone, 2 configuration "
                                          "alone (default: 0)",
                           .allowed = {"0", "1", "2"}};
const Option kNoReadBack{.name = "--no-read-back",
                         .description = "the updater does not read back what it wrote"};

// CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back], and -o FILE where
// the descriptor is the output.
Syntax update_syntax(bool takes_output) {
  Syntax syntax{
      .positionals = {kConfDir},
      .options = {
          {.name = "--ip", .value = "A.B.C.D", .description = "the device's address", .required = true},
          kUpdateOption,
          kNoReadBack}};
  if (takes_output)
    syntax.options.push_back(
        {.name = "-o",
         .value = "FILE",
         .description = "write it there (default: Ethernet_Update.xml beside the program)"});
  return syntax;
}
} // namespace

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {.name = "texts",
       .syntax = {.options = {kLanguage}},
       .summary = "print the text catalogue as a complete language file",
       .handler = cmd_texts},
      {.name = "check",
       .syntax = {.positionals = {kConfDir}},
       .summary = "run the editors' tests on a configuration's stored files, then its addressing notes",
       .handler = cmd_check},
      {.name = "check --site",
       .syntax = {.positionals = {kProjectsDir}},
       .summary = "check every configuration in PROJECTS_DIR (default: PROJECTS beside the program), then "
                  "their addressing",
       .handler = cmd_check_site},
      {.name = "duplicate",
       .syntax = {.positionals = {kConfDir,
                                  {.name = "NEW_NAME",
                                   .kind = Positional::Word,
                                   .description = "the copy's name, by the new-configuration rules"}}},
       .summary = "copy a configuration beside it under a new name",
       .handler = cmd_duplicate},
      {.name = "import-image",
       .syntax =
           {.positionals = {{.name = "IMAGE", .kind = Positional::Input, .description = "a parameter image"},
                            {.name = "NAME",
                             .kind = Positional::Word,
                             .description = "the new configuration's name, by the new-configuration rules"}},
            .options = {{.name = "--projects",
                         .value = "PROJECTS_DIR",
                         .description = "make it there (default: PROJECTS beside the program)",
                         .kind = Positional::Projects}}},
       .summary = "make the configuration NAME in PROJECTS_DIR (default: PROJECTS beside the program) from a "
                  "parameter image; mnemonics can't be recovered",
       .handler = cmd_import_image},
      {.name = "export",
       .syntax =
           {.positionals = {kConfDir},
            .options = {{.name = "-o", .value = "FILE.zip", .description = "the zip", .required = true}}},
       .summary = "write the configuration, its update log and the images sent as one zip",
       .handler = cmd_export},
      {.name = "import",
       .syntax = {.positionals = {{.name = "FILE.zip",
                                   .kind = Positional::Input,
                                   .description = "a zip written by export"}},
                  .options = {{.name = "--name",
                               .value = "NAME",
                               .description = "the new configuration's name (default: the zip's)"}}},
       .summary = "make a configuration in PROJECTS beside the program from a zip written by export",
       .handler = cmd_import},
      {.name = "batch",
       .syntax =
           {.positionals =
                {{.name = "TEMPLATE_DIR",
                  .kind = Positional::Configuration,
                  .description = "the configuration each row starts from; the new ones go beside it"},
                 {.name = "SHEET.csv",
                  .kind = Positional::Input,
                  .description = "the site sheet: a Name column and a column for each parameter set"}},
            .options = {{.name = "--replace",
                         .description = "a row naming a configuration that exists writes its files anew"},
                        {.name = "--dry-run", .description = "say what would be made and write nothing"}}},
       .summary = "make a configuration for each row of a site sheet from a template, all or none",
       .handler = cmd_batch},
      {.name = "site",
       .syntax = {.positionals = {kProjectsDir},
                  .options = {{.name = "--probe",
                               .description = "send the echo probe to every unit's address now, all at once"},
                              kJson}},
       .summary = "every unit of PROJECTS_DIR (default: PROJECTS beside the program) with its state, "
                  "address now and last attempt",
       .handler = cmd_site},
      {.name = "sheet",
       .syntax = {.positionals = {kProjectsDir},
                  .options = {{.name = "-o",
                               .value = "FILE",
                               .description = "write the sheet there (default: standard output)"}}},
       .summary = "write the site sheet of the configurations in PROJECTS_DIR (default: PROJECTS beside the "
                  "program)",
       .handler = cmd_sheet},
      {.name = "compile",
       .syntax = {.positionals = {kConfDir},
                  .options = {{.name = "-o",
                               .value = "FILE",
                               .description =
                                   "write the image there (default: the configuration's bin/bank.bin)"}}},
       .summary = "compile the configuration into bank.bin (or FILE)",
       .handler = cmd_compile},
      {.name = "inspect",
       .syntax =
           {.positionals = {{.name = "FILE", .kind = Positional::Input, .description = "a parameter image"}},
            .options = {kJson}},
       .summary = "decode a parameter image: fields, checksum, DMX values",
       .handler = cmd_inspect},
      {.name = "diff",
       .syntax =
           {.positionals = {{.name = "A",
                             .kind = Positional::Input,
                             .description = "the image before: an image file or a configuration folder"},
                            {.name = "B",
                             .kind = Positional::Input,
                             .description = "the image after: an image file or a configuration folder"}},
            .options = {kJson}},
       .summary = "what changes from image A to image B; each an image file or a configuration folder",
       .handler = cmd_diff},
      {.name = "report",
       .syntax = {.positionals = {kConfDir}, .options = {kSheetOutput, kLanguage}},
       .summary = "write the configuration's commissioning sheet as FILE.pdf or FILE.html, labels in NAME "
                  "(default: the program's language)",
       .handler = cmd_report},
      {.name = "report --site",
       .syntax = {.positionals = {kProjectsDir}, .options = {kSheetOutput, kLanguage}},
       .summary = "write the site report of every configuration in PROJECTS_DIR as FILE.pdf or FILE.html: "
                  "each unit's addresses, image and state, then the addressing notes",
       .handler = cmd_report_site},
      {.name = "descriptor",
       .syntax = update_syntax(true),
       .summary = "write the update descriptor for the configuration",
       .handler = cmd_descriptor},
      {.name = "update",
       .syntax = update_syntax(false),
       .summary = "the whole device update: image, probe, descriptor, updater",
       .handler = cmd_update},
      {.name = "update --site",
       .syntax = {.positionals = {kProjectsDir},
                  .options = {{.name = "--only",
                               .description = "only the units in this state, or those whose last attempt "
                                              "failed (default: every unit that can be sent)",
                               .allowed = selection_words()},
                              kUpdateOption,
                              kNoReadBack,
                              {.name = "--dry-run", .description = "say what would be done; send nothing"}}},
       .summary = "update the units of PROJECTS_DIR (default: PROJECTS beside the program) one after "
                  "another, each at its address now, a line each and a summary",
       .handler = cmd_update_site},
      {.name = "dmx export",
       .syntax = {.positionals = {kConfDir},
                  .options = {{.name = "-o",
                               .value = "FILE",
                               .description = "write the table there (default: standard output)"}}},
       .summary = "write the DMX channel table as CSV to standard output (or FILE)",
       .handler = cmd_dmx_export},
      {.name = "dmx import",
       .syntax = {.positionals = {kConfDir,
                                  {.name = "FILE",
                                   .kind = Positional::Input,
                                   .description = "a CSV sheet: Channel, Value and Mnemonic columns"}}},
       .summary = "read channel values and mnemonics from a CSV file into the table",
       .handler = cmd_dmx_import},
      {.name = "check-update",
       .syntax = {.options = {{.name = "--server",
                               .value = "URL",
                               .description = "ask this server (default: the vendor's)"}}},
       .summary = "ask the vendor's server (or URL) for a newer version: newer or none",
       .handler = cmd_check_update},
      // Whatever follows these two has never been looked at.
      {.name = "--help",
       .syntax = {.rest_ignored = true},
       .summary = "show this help",
       .handler = cmd_help,
       .aliases = {"-h", "help"}},
      {.name = "--version",
       .syntax = {.rest_ignored = true},
       .summary = "print the configurator's version",
       .handler = cmd_version},
  };
  return table;
}

} // namespace lw::cli
