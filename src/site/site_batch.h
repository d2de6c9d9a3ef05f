#pragma once
#include "core/text_table.h"
#include "projects/configuration_copy.h"
#include "site/site_sheet.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

struct BatchUnit {
  SheetUnit unit;
  bool replaces; // a configuration of that name stands and takes the unit's files
};

// What a site sheet makes from a template, every row looked at before
// anything is written.
struct BatchPlan {
  std::string projects_dir;           // the folder holding the template
  ConfigurationFiles shared;          // the template's files each unit takes as they are
  std::vector<BatchUnit> units;       // in sheet order
  std::vector<SheetProblem> problems; // in sheet order; any of them and nothing is written

  bool ready() const { return problems.empty() && !units.empty(); }
};

// The plan for the sheet's rows over the template in template_dir: the
// sheet's problems and each name by the new-configuration rules, a name
// already taken refused unless `replace`, and then refused unless it holds a
// configuration replaceable where it stands (not_replaceable_reason). Throws FileError when the template
// can't be read, its DMX values can't be compiled or the text is no sheet.
BatchPlan plan_batch(const std::string& template_dir, std::string_view sheet_text,
                     const std::string& sheet_name, bool replace, const TextTable& texts);

// A unit's files: its ParGen.xml, the template's others and the image they
// compile to.
ConfigurationFiles unit_files(const BatchPlan& plan, const SheetUnit& unit);

// Writes a ready plan's configurations in order, each whole or not at all,
// calling `done` with the count written after each; when it answers false
// the writing stops there. True when every configuration was written.
// Throws FileError naming what could not be written; the configurations
// before it stand.
bool write_batch(const BatchPlan& plan, const TextTable& texts,
                 const std::function<bool(std::size_t)>& done = {});

} // namespace lw
