#include "site/site_pass.h"

#include "update/sequence.h"

namespace lw {

namespace {
bool picked(const UnitStatus& unit, Selection selection) {
  if (!sendable(unit.state)) return false;
  switch (selection) {
  case Selection::Changed: return unit.state == UnitState::Changed;
  case Selection::NeverSent: return unit.state == UnitState::NeverSent;
  case Selection::Failed: return unit.last_attempt && !unit.last_attempt->succeeded();
  }
  return false;
}

PassUnitResult update_one(const PassUnit& unit, std::size_t index, const PassSettings& settings,
                          const TextTable& texts, const UpdatePorts& ports, RecordPorts& record,
                          const PassWatch& watch) {
  UpdatePorts watched = ports;
  watched.progress = [&](UpdateStep step) {
    ports.progress(step);
    watch.progress(index, step);
  };
  const HandOverRequest request{unit.address,        settings.option, settings.read_back,
                                settings.Master_Dir, unit.conf_dir,   settings.App_Dir};
  RecordedUpdate recorded = Update_Configuration(request, texts, watched, record);
  return {verdict_of(recorded.outcome), recorded.outcome, recorded.failures};
}
} // namespace

std::vector<std::size_t> select_units(std::span<const UnitStatus> units, Selection selection) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < units.size(); ++i)
    if (picked(units[i], selection)) out.push_back(i);
  return out;
}

PassUnit pass_unit(const UnitStatus& status) {
  return {status.name, status.conf_dir, status.address_now ? dotted(*status.address_now) : std::string(),
          status.state};
}

UnitVerdict verdict_of(const UpdateOutcome& outcome) {
  using Kind = UpdateOutcome::Kind;
  if (update_succeeded(outcome)) return UnitVerdict::Updated;
  switch (outcome.kind) {
  case Kind::UpdaterStillRunning: return UnitVerdict::StillRunning;
  case Kind::Silent: return UnitVerdict::NotFound;
  case Kind::Cancelled: return UnitVerdict::Cancelled;
  default: return UnitVerdict::Failed;
  }
}

PassSummary Run_Pass(std::span<const PassUnit> units, const PassSettings& settings, const TextTable& texts,
                     const UpdatePorts& ports, RecordPorts& record, const PassWatch& watch) {
  PassSummary summary;
  summary.results.resize(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (summary.cancelled || ports.cancelled()) {
      summary.cancelled = true;
      ++summary.counts[static_cast<std::size_t>(UnitVerdict::NotStarted)];
      continue;
    }
    PassUnitResult& result = summary.results[i];
    watch.started(i);
    if (sendable(units[i].state))
      result = update_one(units[i], i, settings, texts, ports, record, watch);
    else
      result.verdict = UnitVerdict::Refused;
    ++summary.counts[static_cast<std::size_t>(result.verdict)];
    if (result.verdict == UnitVerdict::NotFound || result.verdict == UnitVerdict::Failed)
      summary.failed.push_back(i);
    if (result.verdict == UnitVerdict::Cancelled) summary.cancelled = true;
    watch.finished(i, result);
  }
  return summary;
}

} // namespace lw
