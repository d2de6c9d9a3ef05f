#include "ui/dmx_table_model.h"

#include "ui/qt_text.h"

namespace lw::ui {

void DmxTableModel::setRows(DMX_Def_Table rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void DmxTableModel::rowsChanged(int top, int left, int bottom, int right) {
  if (bottom >= top && right >= left) emit dataChanged(index(top, left), index(bottom, right));
}

void DmxTableModel::setHeaders(const QStringList& titles, const QStringList& hints) {
  titles_ = titles;
  hints_ = hints;
  emit headerDataChanged(Qt::Horizontal, 0, 2);
}

int DmxTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DmxTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant DmxTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto& row = rows_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
    case 0: return index.row() + 1;
    case 1: return q(row.Default_Value);
    default: return q(row.Mnemonic);
    }
  }
  return {};
}

bool DmxTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.column() == 0) return false;
  auto& row = rows_[static_cast<std::size_t>(index.row())];
  (index.column() == 1 ? row.Default_Value : row.Mnemonic) = s(value.toString());
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags DmxTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() > 0) f |= Qt::ItemIsEditable;
  return f;
}

QVariant DmxTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // A row's heading is its channel, the text of its first column.
  if (orientation == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  if (section < 0 || section > 2) return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::DisplayRole) return titles_[section];
  if (role == Qt::ToolTipRole && section > 0) return hints_[section];
  return {};
}

} // namespace lw::ui
