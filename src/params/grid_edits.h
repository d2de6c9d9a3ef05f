#pragma once
#include "params/dmx_defaults.h"
#include "params/grid_clipboard.h"

namespace lw {

// Edits over the rows a selection covers, whichever of its columns are
// selected: they all act on the default values. Each returns whether any
// row changed.

// Every covered value becomes `level`.
bool fill_values(DMX_Def_Table& rows, GridRange range, int level);

// A straight line from the first covered value to the last, each step
// rounded half up; the two ends keep their text.
enum class RampFault { None, TooFewChannels, EndNotALevel };
struct RampOutcome {
  RampFault fault = RampFault::None;
  int channel = 0; // from 1: the end that is not a level
  bool changed = false;
};
RampOutcome ramp_values(DMX_Def_Table& rows, GridRange range);

// Each covered value that is a level moves by `delta`, held within 0..255;
// other values are left for the user to mend.
bool step_values(DMX_Def_Table& rows, GridRange range, int delta);

// A paste as spreadsheets do it: one copied cell fills every editable cell
// of a selection of several; a block lands from the selection's top-left.
// Returns the range that changed (empty: bottom < top).
GridRange paste_into(DMX_Def_Table& rows, GridRange selection, const std::string& text);

} // namespace lw
