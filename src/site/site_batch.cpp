#include "site/site_batch.h"

#include "core/identity.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "params/par_gen.h"
#include "platform/files.h"

#include <algorithm>

namespace lw {

namespace {
std::string bank_place() { return fs::join(kBinFolder, kBankFile); }

// The template's files a unit takes unchanged: all but its parameters and
// the image compiled from them.
ConfigurationFiles shared_files(const std::string& template_dir) {
  ConfigurationFiles files = read_configuration(template_dir);
  std::erase_if(files,
                [](const ConfigurationFile& f) { return f.place == kParGenFile || f.place == bank_place(); });
  return files;
}

} // namespace

BatchPlan plan_batch(const std::string& template_dir, std::string_view sheet_text,
                     const std::string& sheet_name, bool replace, const TextTable& texts) {
  std::string source = fs::without_trailing_separators(template_dir);
  BatchPlan plan;
  plan.projects_dir = fs::parent_folder(source);
  plan.shared = shared_files(source);
  SiteSheet sheet =
      read_site_sheet(sheet_text, Load_Par_Gen(fs::join(source, kParGenFile)), texts, sheet_name);
  plan.problems = std::move(sheet.problems);
  for (SheetUnit& unit : sheet.units) {
    // What stands under a name is replaced only when it is a configuration
    // whose files can be written where they stand: a link or some other
    // folder is refused here, before anything is written.
    std::string target = fs::join(plan.projects_dir, unit.name);
    bool replaces =
        replace && !name_rules_refusal(unit.name) && fs::entry_kind(target) != fs::EntryKind::None;
    if (replaces) {
      if (auto why = not_replaceable_reason(target)) {
        plan.problems.push_back({unit.row, unit.name, *why});
        continue;
      }
    } else if (auto refusal = new_name_refusal(plan.projects_dir, unit.name)) {
      plan.problems.push_back({unit.row, unit.name, texts.Get(refusal_message(*refusal))});
      continue;
    }
    plan.units.push_back({std::move(unit), replaces});
  }
  std::ranges::stable_sort(plan.problems, {}, &SheetProblem::row);
  // The template's DMX values are the same in every unit: one that can't be
  // compiled stops the sheet before anything is written.
  if (!plan.units.empty()) unit_files(plan, plan.units.front().unit);
  return plan;
}

ConfigurationFiles unit_files(const BatchPlan& plan, const SheetUnit& unit) {
  ConfigurationFiles files = plan.shared;
  std::string par_gen = par_gen_xml(unit.set);
  std::optional<std::string_view> dmx;
  for (const ConfigurationFile& file : files)
    if (file.place == kDmxDefaultFile) dmx = file.bytes;
  image::ImageCompiler compiler;
  compiler.Compile_Image_Bytes(par_gen, dmx);
  files.push_back({std::string(kParGenFile), std::move(par_gen)});
  files.push_back({bank_place(), std::string(reinterpret_cast<const char*>(compiler.Image_Buffer.data()),
                                             static_cast<std::size_t>(compiler.Image_Size))});
  return files;
}

bool write_batch(const BatchPlan& plan, const TextTable& texts,
                 const std::function<bool(std::size_t)>& done) {
  for (std::size_t i = 0; i < plan.units.size(); ++i) {
    const BatchUnit& unit = plan.units[i];
    ConfigurationFiles files = unit_files(plan, unit.unit);
    auto refusal = unit.replaces ? replace_configuration(plan.projects_dir, unit.unit.name, files)
                                 : place_configuration(plan.projects_dir, unit.unit.name, files);
    // Only a folder made or a name refused since the plan was made lands here.
    if (refusal)
      throw FileError(fs::join(plan.projects_dir, unit.unit.name) + ": " +
                      texts.Get(refusal_message(*refusal)));
    if (done && !done(i + 1)) return i + 1 == plan.units.size();
  }
  return true;
}

} // namespace lw
