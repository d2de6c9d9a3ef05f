#pragma once
#include "update/outcome.h"

namespace lw {

struct Catalogue;
class UserMessages;

enum class MessageKind { None, Warning, Error };

// The message an update's outcome shows: a catalogue text, or the system's
// own text where text_index is 0.
struct OutcomeMessage {
  MessageKind kind;
  int text_index = 0;
};

OutcomeMessage outcome_message(UpdateOutcome::Kind kind);

// Shows the outcome's message, if it has one.
void Show_Outcome(UserMessages& messages, const Catalogue& catalogue, const UpdateOutcome& outcome);

} // namespace lw
