#include "update_report.h"

#include "core/text_ids.h"
#include "core/text_table.h"

#include <array>
#include <ostream>

namespace lw::cli {

namespace {
using Kind = UpdateOutcome::Kind;
using Line = std::string (*)(const UpdateOutcome&, const TextTable&);

template <int index> std::string catalogue(const UpdateOutcome&, const TextTable& texts) {
  return texts.Get(index);
}
std::string system_text(const UpdateOutcome& o, const TextTable&) { return o.system_text; }
std::string ended(const UpdateOutcome& o, const TextTable&) {
  return "updater ended with exit status " + std::to_string(o.exit_status);
}
std::string cancelled(const UpdateOutcome&, const TextTable&) { return "update cancelled"; }
std::string still_running(const UpdateOutcome&, const TextTable&) {
  return "the updater is still running after 150 s; no longer waiting";
}

enum class Channel { Out, Err };

struct Row {
  Kind kind;
  int status;
  Channel channel;
  Line line;
};

// An updater left running after the wait has taken the hand-over all the same.
// The companion never cancels a probe (a stop signal ends it), but every kind
// has its row.
constexpr std::array<Row, kOutcomeKindCount> kReports{{
    {Kind::TestFailed, kExitTestFailed, Channel::Out, system_text},
    {Kind::ImageNotWritten, kExitFailure, Channel::Err, system_text},
    {Kind::UnusableAddress, kExitUnusableAddress, Channel::Out, catalogue<text_id::kMsgCheckIpAddress>},
    {Kind::Silent, kExitDeviceNotFound, Channel::Out, catalogue<text_id::kMsgDeviceNotFound>},
    {Kind::NotPermitted, kExitFailure, Channel::Err, system_text},
    {Kind::SendFailed, kExitUnusableAddress, Channel::Out, catalogue<text_id::kMsgCheckIpAddress>},
    {Kind::Cancelled, kExitFailure, Channel::Err, cancelled},
    {Kind::DescriptorNotWritten, kExitFailure, Channel::Err, system_text},
    {Kind::UpdaterNotStarted, kExitFailure, Channel::Err, system_text},
    {Kind::UpdaterEnded, kExitOk, Channel::Out, ended},
    {Kind::UpdaterStillRunning, kExitOk, Channel::Out, still_running},
}};

static_assert(indexed_by_kind(kReports));
} // namespace

std::string update_message(const UpdateOutcome& outcome, const TextTable& texts) {
  return kReports[static_cast<std::size_t>(outcome.kind)].line(outcome, texts);
}

void report_record_failures(const RecordFailures& failures, std::string_view prefix, Io& io) {
  if (failures.log) io.err << prefix << "update log not written: " << *failures.log << "\n";
  if (failures.kept) io.err << prefix << "image sent not kept: " << *failures.kept << "\n";
}

int report_update(const UpdateOutcome& outcome, const TextTable& texts, Io& io) {
  const Row& row = kReports[static_cast<std::size_t>(outcome.kind)];
  (row.channel == Channel::Out ? io.out : io.err) << update_message(outcome, texts) << "\n";
  // An updater that ended in failure must not read as a done update to a
  // script: its own status is printed, and the companion's says it failed.
  if (outcome.kind == Kind::UpdaterEnded && outcome.exit_status != 0) return kExitUpdaterFailed;
  return row.status;
}

} // namespace lw::cli
