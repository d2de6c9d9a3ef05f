#include "update/outcome.h"

namespace lw {

bool device_answered(const UpdateOutcome& outcome) {
  using Kind = UpdateOutcome::Kind;
  switch (outcome.kind) {
  case Kind::DescriptorNotWritten:
  case Kind::UpdaterNotStarted:
  case Kind::UpdaterEnded:
  case Kind::UpdaterStillRunning: return true;
  default: return false;
  }
}

} // namespace lw
