#include "window_logic/update_messages.h"

#include "core/catalogue.h"
#include "core/ports.h"
#include "core/text_ids.h"

#include <array>

namespace lw {

namespace {
using Kind = UpdateOutcome::Kind;

struct Row {
  Kind kind;
  OutcomeMessage message;
};

// A completed hand-over says nothing: the updater speaks for itself. A
// cancelled probe says nothing either: the user asked for the stop.
constexpr std::array<Row, kOutcomeKindCount> kMessages{{
    {Kind::TestFailed, {MessageKind::Error}},
    {Kind::ImageNotWritten, {MessageKind::Error}},
    {Kind::UnusableAddress, {MessageKind::Error, text_id::kMsgCheckIpAddress}},
    {Kind::Silent, {MessageKind::Warning, text_id::kMsgDeviceNotFound}},
    {Kind::NotPermitted, {MessageKind::Error}},
    {Kind::SendFailed, {MessageKind::Error, text_id::kMsgCheckIpAddress}},
    {Kind::Cancelled, {MessageKind::None}},
    {Kind::DescriptorNotWritten, {MessageKind::Error}},
    {Kind::UpdaterNotStarted, {MessageKind::Error}},
    {Kind::UpdaterEnded, {MessageKind::None}},
    {Kind::UpdaterStillRunning, {MessageKind::None}},
}};

static_assert(indexed_by_kind(kMessages));
} // namespace

OutcomeMessage outcome_message(Kind kind) { return kMessages[static_cast<std::size_t>(kind)].message; }

void Show_Outcome(UserMessages& messages, const Catalogue& catalogue, const UpdateOutcome& outcome) {
  OutcomeMessage m = outcome_message(outcome.kind);
  const std::string& text = m.text_index ? catalogue.text(m.text_index) : outcome.system_text;
  if (m.kind == MessageKind::Error) messages.error(text);
  if (m.kind == MessageKind::Warning) messages.warning(text);
}

} // namespace lw
