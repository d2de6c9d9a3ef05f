#pragma once
#include "params/dmx_defaults.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QUndoStack>
#include <functional>

namespace lw::ui {

// The DMX rows behind the grid: column 0 the channel (fixed), 1 the default
// value, 2 the mnemonic; the two last are edited in place. Every change goes
// through `edit`, so each is one step of the undo stack.
class DmxTableModel : public QAbstractTableModel {
  Q_OBJECT
public:
  using QAbstractTableModel::QAbstractTableModel;

  // A fresh table: nothing to undo.
  void setRows(DMX_Def_Table rows);
  const DMX_Def_Table& rows() const { return rows_; }
  // One undoable step. `change` may alter rows top..bottom of the table it
  // is given and no others; the rows that differ afterwards make the step.
  // False when nothing changed (and no step was made).
  bool edit(int top, int bottom, const std::function<void(DMX_Def_Table&)>& change);
  QUndoStack* undoStack() { return &undo_; }
  void setHeaders(const QStringList& titles, const QStringList& hints);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // For the undo steps: puts rows back from `top` on.
  void replaceRows(int top, const DMX_Def_Table& span);

signals:
  // Rows an undo or redo put back, for the view to bring them into sight.
  void rowsReplaced(int top, int bottom);

private:
  DMX_Def_Table rows_;
  QUndoStack undo_;
  QStringList titles_{QString(), QString(), QString()};
  QStringList hints_{QString(), QString(), QString()};
};

} // namespace lw::ui
