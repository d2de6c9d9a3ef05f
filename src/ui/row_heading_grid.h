#pragma once
#include <QTableView>

class QAbstractButton;

namespace lw::ui {

// A grid whose first column is shown as the rows' headings, so that it stays
// in sight when the grid scrolls sideways. The model gives the headings as
// its vertical header; the corner above them shows the first column's title.
class RowHeadingGrid : public QTableView {
  Q_OBJECT
public:
  RowHeadingGrid(QWidget* parent, int heading_width);
  void setModel(QAbstractItemModel* model) override;
  QAbstractButton* corner() const { return corner_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void take_title();

  QAbstractButton* corner_;
};

} // namespace lw::ui
