#include "ui/dmx_table_model.h"

#include "ui/qt_text.h"

#include <QUndoCommand>
#include <algorithm>

namespace lw::ui {

namespace {
constexpr int kLastColumn = 2;

// The rows a step changed, before and after. The change is already made when
// the step is pushed, so its first redo does nothing.
class RowsStep : public QUndoCommand {
public:
  RowsStep(DmxTableModel* model, int top, DMX_Def_Table before, DMX_Def_Table after)
      : model_(model), top_(top), before_(std::move(before)), after_(std::move(after)) {}
  void undo() override { model_->replaceRows(top_, before_); }
  void redo() override {
    if (!applied_) model_->replaceRows(top_, after_);
    applied_ = false;
  }

private:
  DmxTableModel* model_;
  int top_;
  DMX_Def_Table before_, after_;
  bool applied_ = true;
};
} // namespace

void DmxTableModel::setRows(DMX_Def_Table rows) {
  beginResetModel();
  rows_ = std::move(rows);
  undo_.clear();
  endResetModel();
}

bool DmxTableModel::edit(int top, int bottom, const std::function<void(DMX_Def_Table&)>& change) {
  top = std::max(top, 0);
  bottom = std::min(bottom, static_cast<int>(rows_.size()) - 1);
  if (bottom < top) return false;
  DMX_Def_Table before(rows_.begin() + top, rows_.begin() + bottom + 1);
  change(rows_);
  // Only the rows that differ are kept, so a step over a large table that
  // touches a few rows stays small.
  int lo = 0;
  int hi = bottom - top;
  while (lo <= hi && before[static_cast<std::size_t>(lo)] == rows_[static_cast<std::size_t>(top + lo)])
    ++lo;
  if (lo > hi) return false;
  while (before[static_cast<std::size_t>(hi)] == rows_[static_cast<std::size_t>(top + hi)])
    --hi;
  DMX_Def_Table after(rows_.begin() + top + lo, rows_.begin() + top + hi + 1);
  before = DMX_Def_Table(before.begin() + lo, before.begin() + hi + 1);
  emit dataChanged(index(top + lo, 1), index(top + hi, kLastColumn));
  undo_.push(new RowsStep(this, top + lo, std::move(before), std::move(after)));
  return true;
}

void DmxTableModel::replaceRows(int top, const DMX_Def_Table& span) {
  if (span.empty() || top < 0 || top + span.size() > rows_.size()) return;
  std::copy(span.begin(), span.end(), rows_.begin() + top);
  int bottom = top + static_cast<int>(span.size()) - 1;
  emit dataChanged(index(top, 1), index(bottom, kLastColumn));
  emit rowsReplaced(top, bottom);
}

void DmxTableModel::setHeaders(const QStringList& titles, const QStringList& hints) {
  titles_ = titles;
  hints_ = hints;
  emit headerDataChanged(Qt::Horizontal, 0, kLastColumn);
}

int DmxTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DmxTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kLastColumn + 1;
}

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
  std::string text = s(value.toString());
  int r = index.row();
  edit(r, r, [&](DMX_Def_Table& rows) {
    auto& row = rows[static_cast<std::size_t>(r)];
    (index.column() == 1 ? row.Default_Value : row.Mnemonic) = text;
  });
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
  if (section < 0 || section > kLastColumn)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::DisplayRole) return titles_[section];
  if (role == Qt::ToolTipRole && section > 0) return hints_[section];
  return {};
}

} // namespace lw::ui
