#include "site/sheet_notes.h"

#include "site/stored_site.h"

#include <algorithm>
#include <map>
#include <set>

namespace lw {

namespace {
// In name order, as stored_site orders the site.
std::vector<SiteUnit> site_after(const BatchPlan& plan) {
  std::map<std::string, Par_Gen_Set> by_name;
  for (SiteUnit& unit : stored_site(plan.projects_dir))
    by_name.insert_or_assign(std::move(unit.name), std::move(unit.set));
  for (const BatchUnit& unit : plan.units)
    by_name.insert_or_assign(unit.unit.name, unit.unit.set);
  std::vector<SiteUnit> site;
  for (auto& [name, set] : by_name)
    site.push_back({name, std::move(set)});
  return site;
}
} // namespace

std::vector<SiteNote> sheet_notes(const BatchPlan& plan) {
  std::set<std::string> names;
  for (const BatchUnit& unit : plan.units)
    names.insert(unit.unit.name);
  std::vector<SiteNote> notes;
  for (SiteNote& note : site_notes(site_after(plan)))
    if (std::ranges::any_of(note.configurations, [&](const std::string& c) { return names.contains(c); }))
      notes.push_back(std::move(note));
  return notes;
}

} // namespace lw
