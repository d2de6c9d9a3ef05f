#include "ui/dmx_grid.h"

#include <QKeyEvent>

namespace lw::ui {

namespace {
constexpr int kFirstEditable = 1;
} // namespace

DmxGrid::DmxGrid(QWidget* parent, int heading_width) : RowHeadingGrid(parent, heading_width) {
  setTabKeyNavigation(false); // Tab is handled here, cell by cell
}

QModelIndex DmxGrid::next_cell(bool forward) const {
  QModelIndex at = currentIndex();
  if (!at.isValid() || !model()) return {};
  int last_column = model()->columnCount() - 1;
  int row = at.row();
  int column = std::max(at.column(), kFirstEditable) + (forward ? 1 : -1);
  if (column > last_column) ++row, column = kFirstEditable;
  if (column < kFirstEditable) --row, column = last_column;
  return model()->index(row, column); // invalid beyond the first or last row
}

void DmxGrid::move_down() {
  QModelIndex at = currentIndex();
  QModelIndex below = at.isValid() ? model()->index(at.row() + 1, at.column()) : QModelIndex();
  if (below.isValid()) setCurrentIndex(below);
}

void DmxGrid::keyPressEvent(QKeyEvent* event) {
  bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    // An open cell passes its Enter on after ending its edit, which moves
    // down; it must not reach the dialog's default button.
    if (state() != EditingState) move_down();
    return event->accept();
  }
  if (event->modifiers() & Qt::ControlModifier &&
      (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab))
    return void(QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                            !(event->modifiers() & Qt::ShiftModifier)));
  RowHeadingGrid::keyPressEvent(event);
}

bool DmxGrid::focusNextPrevChild(bool next) {
  if (state() != EditingState) {
    QModelIndex cell = next_cell(next);
    if (cell.isValid()) {
      setCurrentIndex(cell);
      return true;
    }
  }
  return RowHeadingGrid::focusNextPrevChild(next);
}

void DmxGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  RowHeadingGrid::closeEditor(editor, QAbstractItemDelegate::NoHint);
  switch (hint) {
  case QAbstractItemDelegate::SubmitModelCache: move_down(); break;
  case QAbstractItemDelegate::EditNextItem:
  case QAbstractItemDelegate::EditPreviousItem:
    if (QModelIndex cell = next_cell(hint == QAbstractItemDelegate::EditNextItem); cell.isValid())
      setCurrentIndex(cell);
    break;
  default: break;
  }
}

} // namespace lw::ui
