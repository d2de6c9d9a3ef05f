#include "cli.h"
#include "core/indexed_table.h"
#include "formats/utf8.h"
#include "site/site_pass.h"
#include "site/state_words.h"
#include "site/unit_status.h"
#include "site_selection.h"
#include "system_update.h"
#include "update_args.h"
#include "update_report.h"

#include <array>
#include <ostream>

namespace lw::cli {

namespace {
struct VerdictWords {
  UnitVerdict verdict;
  std::string_view words;
};

constexpr std::array<VerdictWords, kUnitVerdictCount> kVerdicts{{
    {UnitVerdict::Updated, "updated"},
    {UnitVerdict::StillRunning, "still running"},
    {UnitVerdict::NotFound, "not found"},
    {UnitVerdict::Failed, "failed"},
    {UnitVerdict::Cancelled, "cancelled"},
    {UnitVerdict::Refused, "not sent"},
    {UnitVerdict::NotStarted, "not started"},
}};
static_assert(indexed_by(kVerdicts, &VerdictWords::verdict, kUnitVerdictCount));

std::string_view words_for(UnitVerdict verdict) { return kVerdicts[static_cast<std::size_t>(verdict)].words; }

// The units a pass takes, by their place in the site: those --only picks,
// else every configuration, so one that can't be sent is named with why.
std::vector<std::size_t> selected(const std::vector<UnitStatus>& site, const Parsed& args) {
  if (auto selection = selection_named(args.value("--only"))) return select_units(site, *selection);
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < site.size(); ++i)
    if (site[i].state != UnitState::NotConfiguration) out.push_back(i);
  return out;
}

// "Hall A 10.0.0.11: ", the start of the unit's line.
std::string unit_start(const PassUnit& unit) {
  return utf8::printable(unit.name, kShownNameChars) + " " + (unit.address.empty() ? "-" : unit.address) +
         ": ";
}

// Why a unit is never handed over: its state and what its status says.
std::string not_sent_reason(const UnitStatus& status) {
  std::string out(state_word(status.state));
  if (!status.message.empty()) out += ": " + utf8::printable(status.message, kShownMessageChars);
  return out;
}

// The rest of the unit's line: the verdict, and how its update ended as
// `update` words it, or why it was never handed over.
std::string unit_end(const PassUnitResult& result, const UnitStatus& status, const TextTable& texts) {
  std::string out(words_for(result.verdict));
  if (result.outcome)
    out += ": " + utf8::printable(update_message(*result.outcome, texts), kShownMessageChars);
  else if (result.verdict == UnitVerdict::Refused)
    out += ": " + not_sent_reason(status);
  return out + "\n";
}

// "summary: 2 updated, 1 not found", each verdict that came, in their order.
std::string summary_line(const PassSummary& summary) {
  std::string out;
  for (const VerdictWords& entry : kVerdicts)
    if (std::size_t count = summary.count(entry.verdict); count > 0)
      out += (out.empty() ? "" : ", ") + std::to_string(count) + " " + std::string(entry.words);
  return "summary: " + (out.empty() ? std::string("no unit selected") : out) + "\n";
}

// Each unit's line as the pass would start it, and nothing sent or written.
int dry_run(const std::vector<UnitStatus>& site, const std::vector<std::size_t>& picked, Io& io) {
  std::size_t would = 0;
  for (std::size_t i : picked) {
    const PassUnit unit = pass_unit(site[i]);
    io.out << unit_start(unit);
    if (sendable(unit.state)) {
      ++would;
      io.out << "would be updated\n";
    } else {
      io.out << words_for(UnitVerdict::Refused) << ": " << not_sent_reason(site[i]) << "\n";
    }
  }
  io.out << "summary: " << would << " would be updated, " << picked.size() - would
         << " not sent; nothing sent (dry run)\n";
  return kExitOk;
}
} // namespace

// The site's units one after another, each as `update` runs one, at its
// address now; a line as each ends and a summary.
int cmd_update_site(const Parsed& args, Io& io) {
  const TextTable texts = english_texts();
  const std::vector<UnitStatus> site = site_status(absolute_folder(args.positionals[0]), texts);
  const std::vector<std::size_t> picked = selected(site, args);
  if (args.has("--dry-run")) return dry_run(site, picked, io);

  std::vector<PassUnit> units;
  for (std::size_t i : picked)
    units.push_back(pass_unit(site[i]));
  const HandOverChoice choice = hand_over_choice(args);
  const PassSettings settings{choice.option, choice.read_back, master_beside(io), io.exe_dir};
  SystemUpdate system;
  PassWatch watch;
  watch.started = [&](std::size_t k) { io.out << unit_start(units[k]) << std::flush; };
  watch.finished = [&](std::size_t k, const PassUnitResult& result) {
    io.out << unit_end(result, site[picked[k]], texts);
    report_record_failures(result.record, utf8::printable(units[k].name, kShownNameChars) + ": ", io);
  };
  const PassSummary summary = Run_Pass(units, settings, texts, system.ports, system.record, watch);
  io.out << summary_line(summary);
  return summary.failed.empty() && !summary.cancelled ? kExitOk : kExitPassFailed;
}

} // namespace lw::cli
