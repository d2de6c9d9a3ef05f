#pragma once
#include "params/dmx_defaults.h"

#include <string>

namespace lw {

// Spreadsheet habits on the DMX grid. Columns: 0 channel (fixed), 1 default
// value, 2 mnemonic. Ranges are inclusive.
struct GridRange {
  int top, left, bottom, right;
};

// Tab-separated columns, one line per row.
std::string copy_range(const DMX_Def_Table& rows, GridRange range);

// Pastes a tab-separated block from (row, column) down and right; cells
// beyond the last row or in the channel column are dropped. Returns the
// range that changed (empty: bottom < top).
GridRange paste_block(DMX_Def_Table& rows, int row, int column, const std::string& text);

// Empties the default value and mnemonic cells of the range.
void clear_range(DMX_Def_Table& rows, GridRange range);

} // namespace lw
