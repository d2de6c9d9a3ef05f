#include "ui/dmx_editor.h"

#include "core/app_state.h"
#include "params/grid_clipboard.h"
#include "ui/dmx_table_model.h"
#include "ui/qt_text.h"
#include "ui/row_heading_grid.h"
#include "ui/widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace lw::ui {

namespace {
constexpr int kChannelWidth = 100;

GridRange selected_range(const QTableView* view) {
  auto indexes = view->selectionModel()->selectedIndexes();
  if (indexes.isEmpty()) {
    QModelIndex c = view->currentIndex();
    if (!c.isValid()) return {0, 0, -1, -1};
    return {c.row(), c.column(), c.row(), c.column()};
  }
  GridRange g{INT32_MAX, INT32_MAX, -1, -1};
  for (const QModelIndex& i : indexes) {
    g.top = std::min(g.top, i.row());
    g.left = std::min(g.left, i.column());
    g.bottom = std::max(g.bottom, i.row());
    g.right = std::max(g.right, i.column());
  }
  return g;
}
} // namespace

TFDMXDefVal::TFDMXDefVal(AppState& state, UserMessages& messages, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      state_(state), logic_(state, messages) {
  setObjectName("FDMXDefVal");
  QVBoxLayout* layout = dialog_column(this, P_Title, state.SW_Code);

  model = new DmxTableModel(this);
  // The channel column is the rows' headings: in sight however far the grid
  // scrolls sideways.
  ACG_DMX_Def_Val = new RowHeadingGrid(this, kChannelWidth);
  ACG_DMX_Def_Val->setObjectName("ACG_DMX_Def_Val");
  ACG_DMX_Def_Val->setModel(model);
  // Fixed row heights keep tens of thousands of rows instant.
  ACG_DMX_Def_Val->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ACG_DMX_Def_Val->verticalHeader()->setDefaultSectionSize(22);
  ACG_DMX_Def_Val->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ACG_DMX_Def_Val->setSelectionMode(QAbstractItemView::ContiguousSelection);
  ACG_DMX_Def_Val->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
  // The arrows move between the cells; Tab leaves the grid for the buttons
  // (an open cell still passes Tab on to the next cell).
  ACG_DMX_Def_Val->setTabKeyNavigation(false);
  ACG_DMX_Def_Val->setColumnWidth(1, 100);
  ACG_DMX_Def_Val->setColumnWidth(2, 250);
  ACG_DMX_Def_Val->installEventFilter(this);
  layout->addWidget(ACG_DMX_Def_Val, 1);

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel", true);
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true);
  connect(Btn_OK, &QPushButton::clicked, this, &TFDMXDefVal::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

  resize(475, 337);
  text_rows_ = {{this, 500}, {P_Title->L_SW_Desc, 501}, {Btn_OK, 502, 511}, {Btn_Cancel, 503, 512}};
  Set_Lang();
}

void TFDMXDefVal::Set_Lang() {
  apply_texts(text_rows_, state_);
  // The grid's column titles and hints live in its model.
  Hint_Grid = {q(state_.text(509)), q(state_.text(510))};
  model->setHeaders({q(state_.text(504)), q(state_.text(505)), q(state_.text(506))},
                    {QString(), Hint_Grid[0], Hint_Grid[1]});
}

void TFDMXDefVal::FormShow() { model->setRows(logic_.FormShow()); }

void TFDMXDefVal::Btn_OKClick() {
  if (logic_.Btn_OKClick(model->rows())) accept();
}

void TFDMXDefVal::copy_selection() {
  QGuiApplication::clipboard()->setText(q(copy_range(model->rows(), selected_range(ACG_DMX_Def_Val))));
}

void TFDMXDefVal::paste_clipboard() {
  QModelIndex at = ACG_DMX_Def_Val->currentIndex();
  if (!at.isValid()) return;
  GridRange changed =
      paste_block(model->rows(), at.row(), at.column(), s(QGuiApplication::clipboard()->text()));
  model->rowsChanged(changed.top, changed.left, changed.bottom, changed.right);
}

void TFDMXDefVal::clear_selection() {
  GridRange g = selected_range(ACG_DMX_Def_Val);
  clear_range(model->rows(), g);
  model->rowsChanged(g.top, 1, g.bottom, 2);
}

void TFDMXDefVal::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

bool TFDMXDefVal::eventFilter(QObject* watched, QEvent* event) {
  // While a cell is edited its editor takes the keys, so these reach the
  // grid only between edits.
  if (watched == ACG_DMX_Def_Val && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) return copy_selection(), true;
    if (key->matches(QKeySequence::Paste)) return paste_clipboard(), true;
    if (key->key() == Qt::Key_Delete) return clear_selection(), true;
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace lw::ui
