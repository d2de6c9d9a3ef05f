#include "site/unit_state_text.h"

#include "core/text_ids.h"

namespace lw {

int unit_state_text(UnitState state) {
  switch (state) {
  case UnitState::NotConfiguration: return text_id::kUnitNotConfiguration;
  case UnitState::Refused: return text_id::kUnitRefused;
  case UnitState::NeverSent: return text_id::kUnitNeverSent;
  case UnitState::UpToDate: return text_id::kUnitUpToDate;
  case UnitState::Changed: return text_id::kUnitChanged;
  case UnitState::RecordUnreadable: return text_id::kUnitRecordUnreadable;
  }
  return text_id::kNone;
}

} // namespace lw
