#include "cli.h"
#include "core/identity.h"
#include "core/limits.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"
#include "site/sheet_notes.h"
#include "site/site_batch.h"
#include "site/site_sheet.h"
#include "site/stored_site.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <set>

namespace lw::cli {

namespace {
// The name and the reason come from the sheet: shown printable.
std::string row_line(int row, const std::string& name, const std::string& what) {
  const std::string shown = row == 1 && name.empty() ? "" : utf8::printable(name, kShownNameChars) + ": ";
  return "row " + std::to_string(row) + ": " + shown + utf8::printable(what, kShownMessageChars) + "\n";
}

// Every row that did not pass and those that did, in sheet order.
int print_refusal(const BatchPlan& plan, Io& io) {
  std::multimap<int, std::string> lines;
  std::set<int> refused;
  for (const SheetProblem& p : plan.problems) {
    lines.emplace(p.row, row_line(p.row, p.name, p.reason));
    refused.insert(p.row);
  }
  for (const BatchUnit& u : plan.units)
    lines.emplace(u.unit.row, row_line(u.unit.row, u.unit.name, "ok"));
  for (const auto& [row, line] : lines)
    io.out << line;
  io.out << "nothing written: " << refused.size() << (refused.size() == 1 ? " row" : " rows") << " refused\n";
  return kExitSheetRefused;
}

std::string made_summary(std::size_t made, std::size_t replaced, const std::string& where) {
  std::string out = std::to_string(made) + (made == 1 ? " configuration" : " configurations") + where;
  if (replaced > 0) out += ", " + std::to_string(replaced) + " of them in place of one by that name";
  return out + "\n";
}
} // namespace

// Every row is looked at before anything is written; a refused sheet
// writes nothing. The notes warn and never stop the sheet.
int cmd_batch(const Parsed& args, Io& io) {
  const std::string& template_dir = args.positionals[0];
  const std::string& sheet_path = args.positionals[1];
  bool dry_run = args.has("--dry-run");
  TextTable texts = english_texts();
  BatchPlan plan = plan_batch(absolute_folder(template_dir), fs::read_bytes(sheet_path, kMaxCsvBytes),
                              sheet_path, args.has("--replace"), texts);
  if (!plan.ready()) return print_refusal(plan, io);
  std::size_t replaced = std::ranges::count(plan.units, true, &BatchUnit::replaces);
  auto unit_line = [&](const BatchUnit& u) {
    std::string what = u.replaces ? "replaced" : "created";
    io.out << row_line(u.unit.row, u.unit.name, dry_run ? "would be " + what : what);
  };
  if (dry_run) {
    for (const BatchUnit& u : plan.units)
      unit_line(u);
    print_notes(sheet_notes(plan), texts, io);
    io.out << made_summary(plan.units.size(), replaced,
                           " would be made in " + utf8::printable(plan.projects_dir))
           << "nothing written (dry run)\n";
    return kExitOk;
  }
  std::size_t made = 0;
  try {
    write_batch(plan, texts, [&](std::size_t done) {
      unit_line(plan.units[done - 1]);
      made = done;
      return true;
    });
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    io.out << "stopped: " << made << " of " << plan.units.size() << " configurations made\n";
    return kExitNotWritten;
  }
  print_notes(sheet_notes(plan), texts, io);
  io.out << made_summary(plan.units.size(), replaced, " made in " + utf8::printable(plan.projects_dir));
  return kExitOk;
}

// The configurations with their parameters; one without a ParGen.xml has
// none to give, and one whose file can't be read is named on standard error,
// as is a folder that is no configuration, with why it was skipped.
int cmd_sheet(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string output = args.value("-o");
  std::vector<SheetUnit> units;
  bool unreadable = false;
  for (const SiteEntry& entry : site_entries(dir)) {
    const std::string& name = entry.name;
    if (entry.not_configuration) {
      io.err << utf8::printable(fs::join(dir, name)) << ": skipped: " << *entry.not_configuration << "\n";
      continue;
    }
    std::string path = fs::join(fs::join(dir, name), kParGenFile);
    if (!fs::is_file(path)) continue;
    try {
      units.push_back({0, utf8::printable(name), Load_Par_Gen(path)});
    } catch (const FileError& e) {
      io.err << e.what() << "\n";
      unreadable = true;
    }
  }
  print_or_save(site_sheet_csv(units), output, io);
  return unreadable ? kExitUnreadable : kExitOk;
}

} // namespace lw::cli
