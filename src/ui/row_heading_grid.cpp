#include "ui/row_heading_grid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

namespace lw::ui {

RowHeadingGrid::RowHeadingGrid(QWidget* parent, int heading_width) : QTableView(parent) {
  QHeaderView* headings = verticalHeader();
  headings->setFixedWidth(heading_width);
  headings->setDefaultAlignment(Qt::AlignCenter);
  // Qt's corner button draws an empty header cell; it is painted here instead.
  corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner_) corner_->installEventFilter(this);
}

void RowHeadingGrid::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  setColumnHidden(0, true);
  take_title();
  connect(model, &QAbstractItemModel::headerDataChanged, this, &RowHeadingGrid::take_title);
}

void RowHeadingGrid::take_title() {
  if (!corner_ || !model()) return;
  corner_->setText(model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString());
  corner_->update();
}

bool RowHeadingGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched != corner_ || event->type() != QEvent::Paint) return QTableView::eventFilter(watched, event);
  QStyleOptionHeader option;
  option.initFrom(corner_);
  option.rect = corner_->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.orientation = Qt::Horizontal;
  option.text = corner_->text();
  option.textAlignment = Qt::AlignCenter;
  if (corner_->isDown()) option.state |= QStyle::State_Sunken;
  QPainter painter(corner_);
  corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
  return true;
}

} // namespace lw::ui
