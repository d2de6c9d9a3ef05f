#include "params/grid_clipboard.h"

#include <algorithm>
#include <vector>

namespace lw {

namespace {
constexpr int kColumns = 3;

std::string cell(const DMX_Def_Table& rows, int r, int c) {
  const auto& row = rows[static_cast<std::size_t>(r)];
  switch (c) {
  case 0: return std::to_string(r + 1);
  case 1: return row.Default_Value;
  default: return row.Mnemonic;
  }
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  for (;;) {
    auto end = text.find(sep, pos);
    out.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return out;
}
} // namespace

std::string copy_range(const DMX_Def_Table& rows, GridRange g) {
  std::string out;
  int last = static_cast<int>(rows.size()) - 1;
  for (int r = std::max(g.top, 0); r <= std::min(g.bottom, last); ++r) {
    for (int c = std::max(g.left, 0); c <= std::min(g.right, kColumns - 1); ++c) {
      if (c > std::max(g.left, 0)) out += '\t';
      out += cell(rows, r, c);
    }
    out += '\n';
  }
  return out;
}

GridRange paste_block(DMX_Def_Table& rows, int row, int column, const std::string& text) {
  std::string body = text;
  body.erase(std::remove(body.begin(), body.end(), '\r'), body.end());
  if (!body.empty() && body.back() == '\n') body.pop_back();
  GridRange changed{row, column, row - 1, column - 1};
  auto lines = split(body, '\n');
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int r = row + static_cast<int>(i);
    if (r < 0 || r >= static_cast<int>(rows.size())) break;
    auto cells = split(lines[i], '\t');
    for (std::size_t j = 0; j < cells.size(); ++j) {
      int c = column + static_cast<int>(j);
      if (c < 1 || c >= kColumns) continue;
      auto& target = rows[static_cast<std::size_t>(r)];
      (c == 1 ? target.Default_Value : target.Mnemonic) = cells[j];
      changed.bottom = std::max(changed.bottom, r);
      changed.right = std::max(changed.right, c);
      changed.left = std::min(changed.left, c);
    }
  }
  return changed;
}

void clear_range(DMX_Def_Table& rows, GridRange g) {
  int last = static_cast<int>(rows.size()) - 1;
  for (int r = std::max(g.top, 0); r <= std::min(g.bottom, last); ++r) {
    auto& row = rows[static_cast<std::size_t>(r)];
    if (g.left <= 1 && g.right >= 1) row.Default_Value.clear();
    if (g.left <= 2 && g.right >= 2) row.Mnemonic.clear();
  }
}

} // namespace lw
