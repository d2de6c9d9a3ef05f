#include "window_logic/sheet_conf_dialog.h"

#include "core/catalogue.h"
#include "core/limits.h"
#include "core/open_configuration.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"
#include "site/sheet_notes.h"
#include "site/site_checks.h"
#include "site/stored_site.h"

#include <algorithm>

namespace lw {

namespace {
std::string dotted(const std::string& a, const std::string& b, const std::string& c, const std::string& d) {
  return a + "." + b + "." + c + "." + d;
}

SheetPlanRow unit_row(const BatchUnit& unit, const Catalogue& catalogue) {
  const Par_Gen_Set& s = unit.unit.set;
  return {unit.unit.row, unit.unit.name,
          dotted(s.Ethernet_IP1, s.Ethernet_IP2, s.Ethernet_IP3, s.Ethernet_IP4),
          dotted(s.Ethernet_SM1, s.Ethernet_SM2, s.Ethernet_SM3, s.Ethernet_SM4),
          // Empty, as the sheet writes a gateway that is off.
          s.Ethernet_EN_GAT ? dotted(s.Ethernet_GAT1, s.Ethernet_GAT2, s.Ethernet_GAT3, s.Ethernet_GAT4) : "",
          s.MODBUS_SLAVE_IDDEVICE, s.DMX_Num_Channels,
          catalogue.text(unit.replaces ? text_id::kSheetStatusReplaces : text_id::kSheetStatusNew), false};
}

std::string filled(const Catalogue& catalogue, int id, std::initializer_list<std::string> values) {
  return fill_places(catalogue.text(id), std::span(values.begin(), values.size()));
}
} // namespace

int SheetConfLogic::FormShow() {
  templates_ = configuration_names(folders_.Projects_Dir);
  if (templates_.empty()) return -1;
  auto current = std::ranges::find_if(templates_, [&](const std::string& name) {
    return conf_.configuration_open() && conf_.Conf_Dir == fs::join(folders_.Projects_Dir, name);
  });
  return current == templates_.end() ? 0 : static_cast<int>(current - templates_.begin());
}

std::string SheetConfLogic::Btn_BrowseClick(const std::string& current) {
  std::string filter =
      catalogue_.text(text_id::kDmxCsvFilter) + ";;" + catalogue_.text(text_id::kDmxAllFilesFilter);
  return files_.open_file(
      {catalogue_.text(text_id::kSheetPickTitle), current.empty() ? folders_.Projects_Dir : current, filter});
}

const SheetPlanView& SheetConfLogic::rebuild(const std::string& template_name, const std::string& sheet_path,
                                             bool replace) {
  template_name_ = template_name;
  sheet_path_ = sheet_path;
  replace_ = replace;
  plan_ = {};
  if (template_name.empty() || sheet_path.empty()) {
    no_plan(catalogue_.text(text_id::kSheetNoPlan));
    return view_;
  }
  try {
    plan_ = plan_batch(fs::join(folders_.Projects_Dir, template_name),
                       fs::read_bytes(sheet_path, kMaxCsvBytes), sheet_path, replace, catalogue_.Text_Table);
  } catch (const FileError& e) {
    no_plan(e.what());
    return view_;
  }
  show_plan(plan_);
  return view_;
}

void SheetConfLogic::no_plan(std::string why) {
  view_ = {};
  view_.summary = std::move(why);
}

void SheetConfLogic::show_plan(const BatchPlan& plan) {
  view_ = {};
  for (const SheetProblem& p : plan.problems)
    view_.rows.push_back({p.row, p.name, "", "", "", "", "",
                          filled(catalogue_, text_id::kSheetStatusProblem, {p.reason}), true});
  for (const BatchUnit& unit : plan.units)
    view_.rows.push_back(unit_row(unit, catalogue_));
  try {
    for (const SiteNote& note : sheet_notes(plan))
      view_.notes.push_back(note_text(note, catalogue_.Text_Table));
  } catch (const FileError& e) {
    // The notes only warn: a site that can't be read for them stops nothing.
    view_.notes.push_back(e.what());
  }
  if (view_.notes.empty()) view_.notes.push_back(catalogue_.text(text_id::kSheetNoNotes));
  view_.ready = plan.ready();
  std::size_t refused = 0;
  for (std::size_t i = 0; i < plan.problems.size(); ++i)
    if (i == 0 || plan.problems[i].row != plan.problems[i - 1].row) ++refused;
  view_.summary = view_.ready ? filled(catalogue_, text_id::kSheetReady, {std::to_string(plan.units.size())})
                  : refused > 0 ? filled(catalogue_, text_id::kSheetRefused, {std::to_string(refused)})
                                : catalogue_.text(text_id::kSheetNoPlan);
}

bool SheetConfLogic::Btn_CreateClick(const Progress& progress) {
  if (!view_.ready) return false;
  const std::size_t total = plan_.units.size();
  std::size_t written = 0;
  auto stopped = [&](const std::string& why) {
    // The first names say where it stopped; a thousand would not fit a box.
    constexpr std::size_t kNamesShown = 20;
    std::string names;
    for (std::size_t i = 0; i < std::min(written, kNamesShown); ++i)
      names += (i > 0 ? ", " : "") + plan_.units[i].unit.name;
    if (written > kNamesShown) names += ", ...";
    messages_.error(filled(catalogue_, text_id::kSheetStopped,
                           {why, std::to_string(written), std::to_string(total), names}));
    rebuild(template_name_, sheet_path_, replace_);
    return false;
  };
  try {
    bool whole = write_batch(plan_, catalogue_.Text_Table, [&](std::size_t done) {
      written = done;
      return !progress || progress(done, total);
    });
    if (!whole) return stopped(catalogue_.text(text_id::kSheetStoppedByUser));
  } catch (const FileError& e) {
    return stopped(e.what());
  }
  view_.ready = false; // written: the same plan is not written twice
  view_.summary = filled(catalogue_, text_id::kSheetMade, {std::to_string(total), plan_.projects_dir});
  return true;
}

} // namespace lw
