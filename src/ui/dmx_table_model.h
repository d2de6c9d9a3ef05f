#pragma once
#include "params/dmx_defaults.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace lw::ui {

// The DMX rows behind the grid: column 0 the channel (fixed), 1 the default
// value, 2 the mnemonic; the two last are edited in place.
class DmxTableModel : public QAbstractTableModel {
  Q_OBJECT
public:
  using QAbstractTableModel::QAbstractTableModel;

  void setRows(DMX_Def_Table rows);
  const DMX_Def_Table& rows() const { return rows_; }
  DMX_Def_Table& rows() { return rows_; }
  void rowsChanged(int top, int left, int bottom, int right);
  void setHeaders(const QStringList& titles, const QStringList& hints);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  DMX_Def_Table rows_;
  QStringList titles_{QString(), QString(), QString()};
  QStringList hints_{QString(), QString(), QString()};
};

} // namespace lw::ui
