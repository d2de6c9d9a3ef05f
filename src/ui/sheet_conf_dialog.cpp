#include "ui/sheet_conf_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lw::ui {

namespace {
constexpr int kWidth = 820;
constexpr int kHeight = 600;
constexpr int kTypingPauseMs = 400;
constexpr int kNotesLines = 4;
constexpr int kProgressPaintMs = 50;
// Catalogue indices of the plan's column headings, in column order.
constexpr int kHeadings[] = {231, 232, 233, 234, 235, 236, 237, 238};
constexpr int kColumns = static_cast<int>(std::size(kHeadings));
const QColor kProblemColour(0xb0, 0x00, 0x00);

// The plan's table with no row holds no current cell to show, and a
// read-only text shows no cursor: each draws the style's focus frame, as
// the other controls show where the keyboard focus is.
template <class Area> class FocusFramed : public Area {
public:
  using Area::Area;

protected:
  void paintEvent(QPaintEvent* event) override {
    Area::paintEvent(event);
    if (!this->hasFocus() || !this->window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
    QWidget* view = this->viewport();
    QPainter painter(view);
    QStyleOptionFocusRect option;
    option.initFrom(view);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.backgroundColor = view->palette().color(view->backgroundRole());
    this->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
  void focusInEvent(QFocusEvent* event) override {
    Area::focusInEvent(event);
    this->viewport()->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    Area::focusOutEvent(event);
    this->viewport()->update();
  }
};

QLabel* buddy_label(QWidget* parent, const char* name, QWidget* buddy) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setBuddy(buddy);
  return label;
}
} // namespace

TFSheetConf::TFSheetConf(const ProgramFolders& folders, const OpenConfiguration& conf,
                         const Catalogue& catalogue, UserMessages& messages, FilePicker& files,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      logic_(folders, conf, catalogue, messages, files), catalogue_(catalogue) {
  setObjectName("FSheetConf");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);

  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  grid->setContentsMargins(12, 8, 12, 4);
  CB_Template = new QComboBox(body);
  CB_Template->setObjectName("CB_Template");
  L_Template = buddy_label(body, "L_Template", CB_Template);
  E_Sheet = new QLineEdit(body);
  E_Sheet->setObjectName("E_Sheet");
  L_Sheet = buddy_label(body, "L_Sheet", E_Sheet);
  Btn_Browse = new FocusButton(body);
  Btn_Browse->setObjectName("Btn_Browse");
  Btn_Browse->setAutoDefault(true); // Enter on it browses, never creates
  CB_Replace = new QCheckBox(body);
  CB_Replace->setObjectName("CB_Replace");

  Grid_Plan = new FocusFramed<QTableWidget>(0, kColumns, body);
  Grid_Plan->setObjectName("Grid_Plan");
  Grid_Plan->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid_Plan->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid_Plan->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid_Plan->verticalHeader()->hide();
  // A long reason wraps; its row grows to show all of it.
  Grid_Plan->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Grid_Plan->horizontalHeader()->setHighlightSections(false);
  Grid_Plan->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Grid_Plan->horizontalHeader()->setStretchLastSection(true);
  Grid_Plan->setTabKeyNavigation(false); // Tab leaves the table for the next control
  L_Plan = buddy_label(body, "L_Plan", Grid_Plan);

  M_Notes = new FocusFramed<QPlainTextEdit>(body);
  M_Notes->setObjectName("M_Notes");
  M_Notes->setReadOnly(true);
  M_Notes->setTabChangesFocus(true);
  M_Notes->setFixedHeight(M_Notes->fontMetrics().lineSpacing() * kNotesLines + 12);
  L_Notes = buddy_label(body, "L_Notes", M_Notes);
  L_Summary = new QLabel(body);
  L_Summary->setObjectName("L_Summary");
  L_Summary->setTextFormat(Qt::PlainText); // paths and system messages, shown as they are
  L_Summary->setWordWrap(true);
  PB_Create = new QProgressBar(body);
  PB_Create->setObjectName("PB_Create");
  PB_Create->setTextVisible(false);

  grid->addWidget(L_Template, 0, 0);
  grid->addWidget(CB_Template, 0, 1, 1, 2);
  grid->addWidget(L_Sheet, 1, 0);
  grid->addWidget(E_Sheet, 1, 1);
  grid->addWidget(Btn_Browse, 1, 2);
  grid->addWidget(CB_Replace, 2, 1, 1, 2);
  grid->addWidget(L_Plan, 3, 0, 1, 3);
  grid->addWidget(Grid_Plan, 4, 0, 1, 3);
  grid->addWidget(L_Notes, 5, 0, 1, 3);
  grid->addWidget(M_Notes, 6, 0, 1, 3);
  grid->addWidget(L_Summary, 7, 0, 1, 3);
  grid->addWidget(PB_Create, 8, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  layout->addWidget(body, 1);

  auto buttons = add_button_strip(this, layout, "Btn_Create", "Btn_Cancel");
  Btn_Create = buttons.first;
  Btn_Cancel = buttons.second;
  // Enter creates, but only a plan the table shows ready: a disabled default
  // button takes no Enter.
  Btn_Create->setDefault(true);
  QWidget* const order[] = {CB_Template, E_Sheet, Btn_Browse, CB_Replace,
                            Grid_Plan,   M_Notes, Btn_Create, Btn_Cancel};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);

  Timer_Sheet.setSingleShot(true);
  Timer_Sheet.setInterval(kTypingPauseMs);
  connect(&Timer_Sheet, &QTimer::timeout, this, &TFSheetConf::Plan_Sheet);
  connect(E_Sheet, &QLineEdit::textEdited, this, [this] {
    Btn_Create->setEnabled(false); // the plan shown is no longer the sheet's
    Timer_Sheet.start();
  });
  connect(CB_Template, &QComboBox::currentIndexChanged, this, &TFSheetConf::Plan_Sheet);
  connect(CB_Replace, &QCheckBox::toggled, this, &TFSheetConf::Plan_Sheet);
  connect(Btn_Browse, &QPushButton::clicked, this, &TFSheetConf::Btn_BrowseClick);
  connect(Btn_Create, &QPushButton::clicked, this, &TFSheetConf::Btn_CreateClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

  resize(kWidth, kHeight);
  text_rows_ = {{this, 221},
                {P_Title->L_SW_Desc, 222},
                {L_Template, 223},
                {CB_Template, text_id::kNone, 224},
                {L_Sheet, 225},
                {E_Sheet, text_id::kNone, 226},
                {Btn_Browse, 227, 228},
                {CB_Replace, 229, 230},
                {L_Plan, 256},
                {Grid_Plan, text_id::kNone, 255},
                {L_Notes, 242},
                {M_Notes, text_id::kNone, 257},
                {Btn_Create, 243, 244},
                {Btn_Cancel, 245, 246}};
  Set_Lang();
  show_view();
}

void TFSheetConf::Set_Lang() {
  apply_texts(text_rows_, catalogue_);
  if (written_) Btn_Cancel->setText(q(catalogue_.text(text_id::kSheetClose)));
  set_headings();
}

void TFSheetConf::set_headings() {
  QStringList headings;
  for (int index : kHeadings)
    headings << q(catalogue_.text(index));
  Grid_Plan->setHorizontalHeaderLabels(headings);
}

void TFSheetConf::FormShow() {
  written_ = false;
  Set_Lang();
  PB_Create->setValue(0);
  int chosen = logic_.FormShow();
  {
    QSignalBlocker block(CB_Template);
    CB_Template->clear();
    for (const std::string& name : logic_.templates())
      CB_Template->addItem(q(name));
    CB_Template->setCurrentIndex(chosen);
  }
  Plan_Sheet();
  CB_Template->setFocus();
}

void TFSheetConf::Plan_Sheet() {
  Timer_Sheet.stop();
  logic_.rebuild(s(CB_Template->currentText()), s(E_Sheet->text()), CB_Replace->isChecked());
  PB_Create->setValue(0);
  show_view();
}

void TFSheetConf::show_view() {
  const SheetPlanView& view = logic_.view();
  Grid_Plan->setRowCount(0);
  Grid_Plan->setRowCount(static_cast<int>(view.rows.size()));
  for (int r = 0; r < Grid_Plan->rowCount(); ++r) {
    const SheetPlanRow& row = view.rows[static_cast<std::size_t>(r)];
    const std::string* cells[] = {&row.name,      &row.ip,       &row.mask,  &row.gateway,
                                  &row.modbus_id, &row.channels, &row.status};
    auto put = [&](int column, const QString& text) {
      auto* item = new QTableWidgetItem(text);
      if (row.problem) item->setForeground(kProblemColour);
      Grid_Plan->setItem(r, column, item);
    };
    put(0, QString::number(row.row));
    Grid_Plan->item(r, 0)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int c = 1; c < kColumns; ++c)
      put(c, q(*cells[c - 1]));
  }
  QStringList notes;
  for (const std::string& note : view.notes)
    notes << q(note);
  M_Notes->setPlainText(notes.join(u'\n'));
  L_Summary->setText(q(view.summary));
  Btn_Create->setEnabled(view.ready);
}

void TFSheetConf::Btn_BrowseClick() {
  std::string path = logic_.Btn_BrowseClick(s(E_Sheet->text()));
  if (path.empty()) return;
  E_Sheet->setText(q(path));
  Plan_Sheet();
}

void TFSheetConf::Btn_CreateClick() {
  if (!Btn_Create->isEnabled()) return;
  Btn_Create->setEnabled(false);
  // Only Cancel stays in reach while writing: it stops after the unit at hand.
  set_inputs_enabled(false);
  writing_ = true;
  stop_asked_ = false;
  QElapsedTimer since_shown;
  since_shown.start();
  bool made = logic_.Btn_CreateClick([&](std::size_t done, std::size_t total) {
    PB_Create->setMaximum(static_cast<int>(total));
    PB_Create->setValue(static_cast<int>(done));
    // The bar moves while the units are written, a few times a second:
    // drawing the window after every unit would take longer than writing it.
    if (since_shown.elapsed() >= kProgressPaintMs || done == total) {
      QCoreApplication::processEvents();
      since_shown.restart();
    }
    return !stop_asked_;
  });
  writing_ = false;
  set_inputs_enabled(true);
  written_ = written_ || made || PB_Create->value() > 0;
  if (written_) Btn_Cancel->setText(q(catalogue_.text(text_id::kSheetClose)));
  show_view();
  Btn_Cancel->setFocus();
}

void TFSheetConf::reject() {
  if (writing_) {
    stop_asked_ = true;
    return;
  }
  QDialog::reject();
}

void TFSheetConf::set_inputs_enabled(bool enabled) {
  for (QWidget* input :
       std::initializer_list<QWidget*>{CB_Template, E_Sheet, Btn_Browse, CB_Replace, Grid_Plan})
    input->setEnabled(enabled);
}

void TFSheetConf::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

} // namespace lw::ui
