#include "params/grid_edits.h"

#include "params/dmx_levels.h"

#include <algorithm>

namespace lw {

namespace {
constexpr int kValueColumn = 1;
constexpr int kMnemonicColumn = 2;

// The covered rows, clipped to the table.
std::pair<int, int> covered_rows(const DMX_Def_Table& rows, GridRange g) {
  return {std::max(g.top, 0), std::min(g.bottom, static_cast<int>(rows.size()) - 1)};
}

bool set_value(DMX_Def_Row& row, int level) {
  std::string text = std::to_string(level);
  if (row.Default_Value == text) return false;
  row.Default_Value = std::move(text);
  return true;
}

std::string without_line_end(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}
} // namespace

bool fill_values(DMX_Def_Table& rows, GridRange range, int level) {
  auto [top, bottom] = covered_rows(rows, range);
  bool changed = false;
  for (int r = top; r <= bottom; ++r)
    changed |= set_value(rows[static_cast<std::size_t>(r)], level);
  return changed;
}

RampOutcome ramp_values(DMX_Def_Table& rows, GridRange range) {
  auto [top, bottom] = covered_rows(rows, range);
  if (bottom - top < 1) return {RampFault::TooFewChannels};
  int first = dmx_level(rows[static_cast<std::size_t>(top)].Default_Value);
  if (first < 0) return {RampFault::EndNotALevel, top + 1};
  int last = dmx_level(rows[static_cast<std::size_t>(bottom)].Default_Value);
  if (last < 0) return {RampFault::EndNotALevel, bottom + 1};
  RampOutcome out;
  const long span = bottom - top;
  for (int r = top + 1; r < bottom; ++r) {
    // A weighted mean of the two ends, never negative, so integer halving
    // rounds half up.
    long i = r - top;
    long twice = 2 * (first * (span - i) + last * i) + span;
    out.changed |= set_value(rows[static_cast<std::size_t>(r)], static_cast<int>(twice / (2 * span)));
  }
  return out;
}

bool step_values(DMX_Def_Table& rows, GridRange range, int delta) {
  auto [top, bottom] = covered_rows(rows, range);
  bool changed = false;
  for (int r = top; r <= bottom; ++r) {
    auto& row = rows[static_cast<std::size_t>(r)];
    int level = dmx_level(row.Default_Value);
    if (level >= 0) changed |= set_value(row, std::clamp(level + delta, 0, kMaxDmxLevel));
  }
  return changed;
}

GridRange paste_into(DMX_Def_Table& rows, GridRange selection, const std::string& text) {
  bool several = selection.bottom > selection.top || selection.right > selection.left;
  std::string cell = without_line_end(text);
  bool one_cell = cell.find_first_of("\t\r\n") == std::string::npos;
  if (!several || !one_cell) return paste_block(rows, selection.top, selection.left, text);
  auto [top, bottom] = covered_rows(rows, selection);
  int left = std::max(selection.left, kValueColumn);
  int right = std::min(selection.right, kMnemonicColumn);
  if (bottom < top || right < left)
    return {selection.top, selection.left, selection.top - 1, selection.left - 1};
  for (int r = top; r <= bottom; ++r) {
    auto& row = rows[static_cast<std::size_t>(r)];
    if (left <= kValueColumn) row.Default_Value = cell;
    if (right >= kMnemonicColumn) row.Mnemonic = cell;
  }
  return {top, left, bottom, right};
}

} // namespace lw
