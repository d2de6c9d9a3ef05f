#include "cli.h"
#include "core/catalogue.h"
#include "core/portable_name.h"
#include "core/program_folders.h"
#include "formats/utf8.h"
#include "languages/language_file.h"
#include "languages/language_locale.h"
#include "options/settings_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"
#include "report/commissioning_sheet.h"
#include "report/site_report.h"

#include <ostream>

namespace lw::cli {

namespace {
// The catalogue in --language, else in the language the program was last
// set to, else English.
std::optional<Catalogue> sheet_language(const Parsed& args, Io& io) {
  const ProgramFolders folders = program_folders(io.exe_dir);
  std::string name;
  if (args.has("--language")) {
    name = args.value("--language");
    if (!is_portable_name(name) || !fs::is_file(fs::join(folders.Language_Dir, name + ".lng"))) {
      complain(io.err, args.command) << "no language " << utf8::printable(name) << " in "
                                     << utf8::printable(folders.Language_Dir) << "\n";
      return std::nullopt;
    }
  } else {
    name = read_settings_file(settings_file(folders.App_Dir).path).settings.Language_Name;
  }
  Catalogue catalogue;
  if (auto problem = Load_Language(catalogue, folders.Language_Dir, name)) io.err << *problem << "\n";
  return catalogue;
}
} // namespace

namespace {
// The format -o asks for, or nullopt once told why there is none.
std::optional<SheetFormat> output_format(const Parsed& args, Io& io) {
  const std::string output = args.value("-o");
  std::optional<SheetFormat> format = sheet_format(output);
  if (!format)
    complain(io.err, args.command) << utf8::printable(output)
                                   << ": a sheet is written as .pdf, .html or .htm\n";
  return format;
}
} // namespace

int cmd_report(const Parsed& args, Io& io) {
  std::string conf_dir = args.positionals[0];
  const std::string output = args.value("-o");
  std::optional<SheetFormat> format = output_format(args, io);
  if (!format) return kExitUsage;
  std::optional<Catalogue> catalogue = sheet_language(args, io);
  if (!catalogue) return kExitUsage;
  conf_dir = absolute_folder(conf_dir);
  SystemWallClock wall;
  SheetFacts facts{fs::file_name(conf_dir), conf_dir, wall.local_now(),
                   std::string(locale_of_language(catalogue->Texts_Language))};
  doc::Document sheet = commissioning_sheet(facts, catalogue->Text_Table);
  print_or_save(commissioning_sheet_bytes(sheet, *format, io.pdf), output, io);
  return kExitOk;
}

// Every unit of the site on one sheet, written as the commissioning sheet is.
int cmd_report_site(const Parsed& args, Io& io) {
  const std::string output = args.value("-o");
  std::optional<SheetFormat> format = output_format(args, io);
  if (!format) return kExitUsage;
  std::optional<Catalogue> catalogue = sheet_language(args, io);
  if (!catalogue) return kExitUsage;
  SystemWallClock wall;
  SiteReportFacts facts{absolute_folder(args.positionals[0]), wall.local_now(),
                        std::string(locale_of_language(catalogue->Texts_Language))};
  doc::Document sheet = site_report(facts, catalogue->Text_Table);
  print_or_save(commissioning_sheet_bytes(sheet, *format, io.pdf), output, io);
  return kExitOk;
}

} // namespace lw::cli
