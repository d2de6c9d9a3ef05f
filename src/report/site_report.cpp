#include "report/site_report.h"

#include "core/text.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "params/par_gen.h"
#include "report/sheet_parts.h"
#include "site/site_checks.h"
#include "site/stored_site.h"
#include "site/unit_state_text.h"
#include "site/unit_status.h"
#include "update/change_preview.h"
#include "update/update_log.h"

#include <array>
#include <optional>
#include <utility>

namespace lw {

namespace {
doc::Section about(const SiteReportFacts& facts, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSiteReportSite), {}, {}};
  s.table.rows = {{texts.Get(text_id::kSiteReportFolder), facts.projects_dir},
                  {texts.Get(text_id::kSheetProduced), iso_8601(facts.produced)},
                  {texts.Get(text_id::kSheetProgram), program_text()}};
  return s;
}

// The word for the state, with the counts of a change.
std::string state_text(const UnitStatus& unit, const TextTable& texts) {
  std::string word = texts.Get(unit_state_text(unit.state));
  if (unit.state != UnitState::Changed) return word;
  const std::array<std::string, 2> counts{std::to_string(unit.changes.fields),
                                          std::to_string(unit.changes.channels)};
  return word + ": " + fill_places(texts.Get(text_id::kSiteReportChanges), counts);
}

// A log that can't be read shows nothing here: the remarks say why.
std::string last_attempt_text(const UnitStatus& unit, const TextTable& texts) {
  if (unit.last_attempt) {
    const LoggedAttempt& logged = unit.last_attempt->logged;
    return logged.time + " " + logged_outcome_text(logged);
  }
  if (unit.log_unreadable || unit.state == UnitState::NotConfiguration) return {};
  return texts.Get(text_id::kSiteReportNoAttempt);
}

// The checksum and the start of the SHA-256 of the image compiled now, for a
// unit the updater would take; none when the files changed since their state
// was decided and no longer compile.
std::array<std::string, 2> image_cells(const UnitStatus& unit) {
  if (!unit.configured) return {};
  try {
    const image::Image image = compiled_image(unit.conf_dir);
    return {image_checksum_text(image), image_sha256(image).substr(0, kSiteReportHashDigits)};
  } catch (const FileError&) {
    return {};
  }
}

std::vector<std::string> unit_row(const UnitStatus& unit, const TextTable& texts) {
  const std::optional<UnitSettings>& set = unit.configured;
  const auto [checksum, hash] = image_cells(unit);
  return {unit.name,
          unit.address_now ? dotted(*unit.address_now) : std::string(),
          set ? dotted(set->address) : std::string(),
          set ? std::to_string(set->modbus_id) : std::string(),
          set ? std::to_string(set->channels) : std::string(),
          checksum,
          hash,
          state_text(unit, texts),
          last_attempt_text(unit, texts)};
}

doc::Section units(const std::vector<UnitStatus>& site, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSiteReportUnits), {}, {}};
  if (site.empty()) {
    s.lines.push_back(texts.Get(text_id::kSiteReportNoUnits));
    return s;
  }
  // Shares of the line, out of 100: an address, a checksum and the hash
  // each whole on one line of A4.
  s.table.columns = {{texts.Get(text_id::kSheetName), 9},
                     {texts.Get(text_id::kSiteReportAddressNow), 17, doc::Align::Right},
                     {texts.Get(text_id::kSiteReportConfiguredAddress), 17, doc::Align::Right},
                     {texts.Get(par_gen_field("MODBUS_SLAVE_IDDEVICE").view.label), 5, doc::Align::Right},
                     {texts.Get(par_gen_field("DMX_Num_Channels").view.label), 5, doc::Align::Right},
                     {texts.Get(text_id::kPreviewChecksum), 13},
                     {texts.Get(text_id::kSiteReportHashStart), 16},
                     {texts.Get(text_id::kSiteReportState), 9},
                     {texts.Get(text_id::kSiteReportLastAttempt), 9}};
  for (const UnitStatus& unit : site)
    s.table.rows.push_back(unit_row(unit, texts));
  return s;
}

// What a row has no room for, a line for each unit it concerns: why a folder
// is no configuration, why step 4 would refuse one, why what it holds or its
// log can't be read.
doc::Section remarks(const std::vector<UnitStatus>& site, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSiteReportRemarks), {}, {}};
  for (const UnitStatus& unit : site) {
    if (!unit.message.empty())
      s.lines.push_back(unit.name + ": " + texts.Get(unit_state_text(unit.state)) + ": " + unit.message);
    if (unit.log_unreadable)
      s.lines.push_back(unit.name + ": " + texts.Get(text_id::kSheetLogUnreadable) + " " +
                        *unit.log_unreadable);
  }
  return s;
}

// The notes the site's stored configurations give, as the whole site's
// check tells them.
doc::Section notes(const std::string& projects_dir, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSiteReportNotes), {}, {}};
  const std::vector<SiteNote> found = site_notes(stored_site(projects_dir));
  if (found.empty()) s.lines.push_back(texts.Get(text_id::kSheetNoNotes));
  for (const SiteNote& note : found)
    s.lines.push_back(note_text(note, texts));
  return s;
}
} // namespace

doc::Document site_report(const SiteReportFacts& facts, const TextTable& texts) {
  doc::Document sheet;
  const std::string title = texts.Get(text_id::kSiteReportTitle);
  sheet.title = title;
  // The folder last: a long path is what the page's header cuts.
  sheet.page_header = title + " - " + iso_8601(facts.produced) + " - " + facts.projects_dir;
  sheet.page_number = texts.Get(text_id::kSheetPageNumber);
  sheet.language = facts.language;
  const std::vector<UnitStatus> site = site_status(facts.projects_dir, texts);
  sheet.sections = {about(facts, texts), units(site, texts)};
  doc::Section why = remarks(site, texts);
  if (!why.lines.empty()) sheet.sections.push_back(std::move(why));
  sheet.sections.push_back(notes(facts.projects_dir, texts));
  cut_cells(sheet);
  return sheet;
}

} // namespace lw
