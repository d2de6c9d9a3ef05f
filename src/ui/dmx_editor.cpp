#include "ui/dmx_editor.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "core/text_ids.h"
#include "params/dmx_csv.h"
#include "params/dmx_levels.h"
#include "params/grid_clipboard.h"
#include "params/grid_edits.h"
#include "ui/dmx_grid.h"
#include "ui/dmx_table_model.h"
#include "ui/level_strip.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw::ui {

namespace {
constexpr int kChannelWidth = 100;
constexpr int kValueColumn = 1;
constexpr int kLastColumn = 2;
constexpr int kStep = 1;
constexpr int kLargeStep = 16;

// Catalogue indices of the editor's own captions and hints.
namespace dmx_text {
constexpr int kTitle = 500, kHeading = 501, kOk = 502, kCancel = 503;
constexpr int kChannel = 504, kValue = text_id::kDmxValueColumn, kMnemonic = text_id::kDmxMnemonicColumn;
constexpr int kValueHint = 509, kMnemonicHint = 510, kOkHint = 511, kCancelHint = 512;
constexpr int kImport = text_id::kDmxImportCsv, kExport = text_id::kDmxExportCsv, kFill = 515, kRamp = 516;
constexpr int kUndo = 517, kRedo = 518, kCopy = 519, kPaste = 520, kClear = 521;
constexpr int kImportHint = 522, kExportHint = 523, kFillHint = 524, kRampHint = 525;
constexpr int kNotALevel = 533;
} // namespace dmx_text

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

TFDMXDefVal::TFDMXDefVal(const OpenConfiguration& conf, const Catalogue& catalogue, UserMessages& messages,
                         FilePicker& files, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      catalogue_(catalogue), logic_(conf, catalogue, messages, files) {
  setObjectName("FDMXDefVal");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);

  auto* tools = new QHBoxLayout;
  tools->setContentsMargins(8, 4, 8, 0);
  Btn_Import_CSV = tool_button("Btn_Import_CSV", &TFDMXDefVal::import_csv);
  Btn_Export_CSV = tool_button("Btn_Export_CSV", &TFDMXDefVal::export_csv);
  Btn_Fill = tool_button("Btn_Fill", &TFDMXDefVal::fill_selection);
  Btn_Ramp = tool_button("Btn_Ramp", &TFDMXDefVal::ramp_selection);
  for (QPushButton* b : {Btn_Import_CSV, Btn_Export_CSV, Btn_Fill, Btn_Ramp})
    tools->addWidget(b);
  L_Import_Summary = new QLabel(this);
  L_Import_Summary->setObjectName("L_Import_Summary");
  L_Import_Summary->setTextFormat(Qt::PlainText);
  tools->addWidget(L_Import_Summary, 1);
  layout->addLayout(tools);

  Strip_Levels = new LevelStrip(this);
  Strip_Levels->setObjectName("Strip_Levels");
  auto* strip_row = new QHBoxLayout;
  strip_row->setContentsMargins(8, 0, 8, 0);
  strip_row->addWidget(Strip_Levels);
  layout->addLayout(strip_row);

  model = new DmxTableModel(this);
  // The channel column is the rows' headings: in sight however far the grid
  // scrolls sideways.
  ACG_DMX_Def_Val = new DmxGrid(this, kChannelWidth);
  ACG_DMX_Def_Val->setObjectName("ACG_DMX_Def_Val");
  ACG_DMX_Def_Val->setModel(model);
  // Fixed row heights keep tens of thousands of rows instant.
  ACG_DMX_Def_Val->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ACG_DMX_Def_Val->verticalHeader()->setDefaultSectionSize(22);
  ACG_DMX_Def_Val->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ACG_DMX_Def_Val->setSelectionMode(QAbstractItemView::ContiguousSelection);
  ACG_DMX_Def_Val->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
  ACG_DMX_Def_Val->setColumnWidth(1, 100);
  ACG_DMX_Def_Val->setColumnWidth(2, 250);
  ACG_DMX_Def_Val->installEventFilter(this);
  layout->addWidget(ACG_DMX_Def_Val, 1);
  connect(model, &DmxTableModel::rowsReplaced, this, &TFDMXDefVal::bring_into_sight);
  // The summary speaks of the import just made; any later step makes it stale.
  connect(model->undoStack(), &QUndoStack::indexChanged, L_Import_Summary, &QLabel::clear);
  keep_strip_in_step();

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel", true);
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true);
  connect(Btn_OK, &QPushButton::clicked, this, &TFDMXDefVal::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  make_actions();
  // The grid comes first in the Tab order, its tools after it.
  QWidget::setTabOrder(ACG_DMX_Def_Val, Btn_Import_CSV);
  QWidget::setTabOrder(Btn_Ramp, Btn_OK);

  resize(640, 480);
  using namespace dmx_text;
  text_rows_ = {{this, kTitle},
                {P_Title->L_SW_Desc, kHeading},
                {Btn_Import_CSV, kImport, kImportHint},
                {Btn_Export_CSV, kExport, kExportHint},
                {Btn_Fill, kFill, kFillHint},
                {Btn_Ramp, kRamp, kRampHint},
                {Btn_OK, kOk, kOkHint},
                {Btn_Cancel, kCancel, kCancelHint}};
  Set_Lang();
}

QPushButton* TFDMXDefVal::tool_button(const char* name, void (TFDMXDefVal::*slot)()) {
  auto* button = new QPushButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, slot);
  return button;
}

void TFDMXDefVal::make_actions() {
  auto make = [this](QWidget* owner, Qt::ShortcutContext context, QList<QKeySequence> keys, auto slot) {
    auto* action = new QAction(owner);
    action->setShortcuts(keys);
    action->setShortcutContext(context);
    owner->addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  QTableView* grid = ACG_DMX_Def_Val;
  auto* undo = model->undoStack();
  // Undo and redo work wherever the focus is in the window; an open cell
  // keeps its own undo for what is typed in it.
  actions.undo = make(this, Qt::WindowShortcut, {QKeySequence::Undo}, [undo] { undo->undo(); });
  actions.redo = make(this, Qt::WindowShortcut,
                      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                      [undo] { undo->redo(); });
  connect(undo, &QUndoStack::canUndoChanged, actions.undo, &QAction::setEnabled);
  connect(undo, &QUndoStack::canRedoChanged, actions.redo, &QAction::setEnabled);
  actions.undo->setEnabled(false);
  actions.redo->setEnabled(false);
  // The grid's own keys act only while the grid, not an open cell, has the
  // focus.
  actions.copy = make(grid, Qt::WidgetShortcut, {QKeySequence::Copy}, &TFDMXDefVal::copy_selection);
  actions.paste = make(grid, Qt::WidgetShortcut, {QKeySequence::Paste}, &TFDMXDefVal::paste_clipboard);
  actions.clear =
      make(grid, Qt::WidgetShortcut, {QKeySequence(Qt::Key_Delete)}, &TFDMXDefVal::clear_selection);
  actions.fill = make(grid, Qt::WidgetShortcut, {}, &TFDMXDefVal::fill_selection);
  actions.ramp = make(grid, Qt::WidgetShortcut, {}, &TFDMXDefVal::ramp_selection);
  actions.import_csv = make(grid, Qt::WidgetShortcut, {}, &TFDMXDefVal::import_csv);
  actions.export_csv = make(grid, Qt::WidgetShortcut, {}, &TFDMXDefVal::export_csv);
  // Enter moves down in the grid, so Ctrl+Enter confirms from anywhere.
  actions.confirm = make(this, Qt::WindowShortcut,
                         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
                         &TFDMXDefVal::Btn_OKClick);
  // The grid's menu: the window-wide steps first, then the grid's own.
  grid->insertActions(actions.copy, {actions.undo, actions.redo});
  auto separator = [grid](QAction* before) {
    auto* line = new QAction(grid);
    line->setSeparator(true);
    grid->insertAction(before, line);
  };
  separator(actions.copy);
  separator(actions.fill);
  separator(actions.import_csv);
  grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TFDMXDefVal::Set_Lang() {
  apply_texts(text_rows_, catalogue_);
  using namespace dmx_text;
  const std::pair<QAction*, int> action_texts[] = {
      {actions.undo, kUndo},   {actions.redo, kRedo},         {actions.copy, kCopy},
      {actions.paste, kPaste}, {actions.clear, kClear},       {actions.fill, kFill},
      {actions.ramp, kRamp},   {actions.import_csv, kImport}, {actions.export_csv, kExport}};
  for (auto [action, index] : action_texts)
    action->setText(q(catalogue_.text(index)));
  // The grid's column titles and hints live in its model.
  Hint_Grid = {q(catalogue_.text(kValueHint)), q(catalogue_.text(kMnemonicHint))};
  model->setHeaders({q(catalogue_.text(kChannel)), q(catalogue_.text(kValue)), q(catalogue_.text(kMnemonic))},
                    {QString(), Hint_Grid[0], Hint_Grid[1]});
  Strip_Levels->setCaptions(q(catalogue_.text(kChannel)), q(catalogue_.text(kValue)),
                            q(catalogue_.text(kNotALevel)));
}

void TFDMXDefVal::keep_strip_in_step() {
  connect(model, &QAbstractItemModel::modelReset, this,
          [this] { Strip_Levels->setLevels(dmx_levels(model->rows())); });
  connect(model, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& from, const QModelIndex& to) {
            Strip_Levels->updateLevels(from.row(), to.row(), model->rows());
          });
  connect(ACG_DMX_Def_Val->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& at) { Strip_Levels->setCurrentChannel(at.isValid() ? at.row() : -1); });
  connect(Strip_Levels, &LevelStrip::channelClicked, this, &TFDMXDefVal::select_channel);
}

void TFDMXDefVal::select_channel(int row) {
  QModelIndex value = model->index(row, kValueColumn);
  ACG_DMX_Def_Val->setCurrentIndex(value);
  ACG_DMX_Def_Val->selectionModel()->select(QItemSelection(value, model->index(row, kLastColumn)),
                                            QItemSelectionModel::ClearAndSelect);
  ACG_DMX_Def_Val->scrollTo(value);
}

void TFDMXDefVal::FormShow() {
  std::optional<DMX_Def_Table> rows = logic_.FormShow();
  model->setRows(rows ? std::move(*rows) : DMX_Def_Table());
  L_Import_Summary->clear();
  // A file that can't be read has been reported; an empty table in its
  // place would be saved over it, so the editor closes unchanged.
  Btn_OK->setEnabled(rows.has_value());
  if (!rows) {
    QMetaObject::invokeMethod(
        this, [this] { QDialog::reject(); }, Qt::QueuedConnection);
    return;
  }
  // The work is in the grid: it has the focus at each showing, on the first
  // value.
  ACG_DMX_Def_Val->setCurrentIndex(model->index(0, kValueColumn));
  ACG_DMX_Def_Val->setFocus(Qt::OtherFocusReason);
}

void TFDMXDefVal::Btn_OKClick() {
  if (Btn_OK->isEnabled() && logic_.Btn_OKClick(model->rows())) accept();
}

void TFDMXDefVal::reject() {
  if (logic_.may_discard(!model->undoStack()->isClean())) QDialog::reject();
}

void TFDMXDefVal::back_to_grid() { ACG_DMX_Def_Val->setFocus(Qt::OtherFocusReason); }

void TFDMXDefVal::copy_selection() {
  QGuiApplication::clipboard()->setText(q(copy_range(model->rows(), selected_range(ACG_DMX_Def_Val))));
}

void TFDMXDefVal::paste_clipboard() {
  GridRange selection = selected_range(ACG_DMX_Def_Val);
  if (selection.bottom < selection.top) return;
  std::string text = s(QGuiApplication::clipboard()->text());
  model->edit(selection.top, model->rowCount() - 1,
              [&](DMX_Def_Table& rows) { paste_into(rows, selection, text); });
}

void TFDMXDefVal::clear_selection() {
  GridRange g = selected_range(ACG_DMX_Def_Val);
  model->edit(g.top, g.bottom, [&](DMX_Def_Table& rows) { clear_range(rows, g); });
}

void TFDMXDefVal::step_selection(int delta) {
  GridRange g = selected_range(ACG_DMX_Def_Val);
  model->edit(g.top, g.bottom, [&](DMX_Def_Table& rows) { step_values(rows, g, delta); });
}

void TFDMXDefVal::fill_selection() {
  bool ok = false;
  QString typed = QInputDialog::getText(this, windowTitle(), q(catalogue_.text(text_id::kDmxFillPrompt)),
                                        QLineEdit::Normal, QString(), &ok);
  if (ok) fill_selection_with(typed);
  back_to_grid();
}

void TFDMXDefVal::fill_selection_with(const QString& typed) {
  GridRange g = selected_range(ACG_DMX_Def_Val);
  if (auto level = logic_.fill_level(s(typed)))
    model->edit(g.top, g.bottom, [&](DMX_Def_Table& rows) { fill_values(rows, g, *level); });
}

void TFDMXDefVal::ramp_selection() {
  GridRange g = selected_range(ACG_DMX_Def_Val);
  model->edit(g.top, g.bottom, [&](DMX_Def_Table& rows) { logic_.ramp(rows, g); });
  back_to_grid();
}

void TFDMXDefVal::import_csv() {
  take_sheet(logic_.import_csv(model->rows()));
  back_to_grid();
}

void TFDMXDefVal::export_csv() {
  logic_.export_csv(model->rows());
  back_to_grid();
}

void TFDMXDefVal::import_csv_from(const QString& path) {
  take_sheet(logic_.import_csv_from(s(path), model->rows()));
}

void TFDMXDefVal::take_sheet(std::optional<DMX_Def_Table> imported) {
  L_Import_Summary->clear();
  if (!imported) return;
  int changed = changed_channels(model->rows(), *imported);
  model->edit(0, model->rowCount() - 1, [&](DMX_Def_Table& rows) { rows = std::move(*imported); });
  L_Import_Summary->setText(q(logic_.import_summary(changed)));
}

void TFDMXDefVal::export_csv_to(const QString& path) { logic_.export_csv_to(s(path), model->rows()); }

void TFDMXDefVal::bring_into_sight(int top, int bottom) {
  QModelIndex first = model->index(top, kValueColumn);
  ACG_DMX_Def_Val->setCurrentIndex(first);
  ACG_DMX_Def_Val->selectionModel()->select(QItemSelection(first, model->index(bottom, kLastColumn)),
                                            QItemSelectionModel::ClearAndSelect);
  ACG_DMX_Def_Val->scrollTo(first);
}

void TFDMXDefVal::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

bool TFDMXDefVal::eventFilter(QObject* watched, QEvent* event) {
  // + and - step the values where a value cell has the focus; in a mnemonic
  // cell they are text to type.
  if (watched == ACG_DMX_Def_Val && event->type() == QEvent::KeyPress &&
      ACG_DMX_Def_Val->currentIndex().column() == kValueColumn) {
    auto* key = static_cast<QKeyEvent*>(event);
    int size = key->modifiers() & Qt::ControlModifier ? kLargeStep : kStep;
    if (key->key() == Qt::Key_Plus) return step_selection(size), true;
    if (key->key() == Qt::Key_Minus) return step_selection(-size), true;
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace lw::ui
