#pragma once
#include "ui/row_heading_grid.h"

namespace lw::ui {

// The channel grid with a spreadsheet's moves: Enter goes down, Tab right
// (to the next row's first cell after the last column), Shift+Tab back; an
// open cell ended with Enter or Tab moves on the same way. Tab past the
// last cell, or Ctrl+Tab anywhere, leaves the grid.
class DmxGrid : public RowHeadingGrid {
  Q_OBJECT
public:
  DmxGrid(QWidget* parent, int heading_width);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
  // The next editable cell across the rows, or an invalid index past an end.
  QModelIndex next_cell(bool forward) const;
  void move_down();
};

} // namespace lw::ui
