#include "ui/par_gen_editor.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/address_row.h"
#include "ui/collapsible_group.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace lw::ui {

using namespace Qt::StringLiterals;

namespace {
constexpr int kWidth = 460;
constexpr int kStartHeight = 700;
constexpr int kRowTop = 8;
constexpr int kRowPitch = 30;
constexpr int kRowHeight = 24;
constexpr int kInputLeft = 210;
constexpr int kInputWidth = 150;
constexpr int kGroupBottomMargin = 12;
} // namespace

TFParGen2::TFParGen2(const ProgramFolders& folders, const OpenConfiguration& conf, const Catalogue& catalogue,
                     UserMessages& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), catalogue_(catalogue),
      logic_(folders, conf, catalogue, messages) {
  setObjectName("FParGen2");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);
  text_rows_ = {{this, 1000}, {P_Title->L_SW_Desc, 1001}};

  CPG = new QScrollArea(this);
  CPG->setObjectName("CPG");
  CPG->setWidgetResizable(true);
  CPG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  CPG->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  CPG->setFrameShape(QFrame::NoFrame);
  CPG->setFocusPolicy(Qt::NoFocus); // the fields take the focus, not the area around them
  auto* holder = new QWidget(CPG);
  auto* stack = new QVBoxLayout(holder);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->setSpacing(0);
  CP_DMX = new CollapsibleGroup(u"CP_DMX"_s, holder);
  CP_Modbus_Slave = new CollapsibleGroup(u"CP_Modbus_Slave"_s, holder);
  CP_Ethernet = new CollapsibleGroup(u"CP_Ethernet"_s, holder);
  stack->addWidget(CP_DMX);
  stack->addWidget(CP_Modbus_Slave);
  stack->addWidget(CP_Ethernet);
  L_Ethernet_Notes = new QLabel(holder);
  L_Ethernet_Notes->setObjectName("L_Ethernet_Notes");
  L_Ethernet_Notes->setWordWrap(true);
  L_Ethernet_Notes->setContentsMargins(12, 8, 12, 8);
  set_text_colour(L_Ethernet_Notes, QColor(0x8a, 0x4b, 0x00));
  L_Ethernet_Notes->hide();
  stack->addWidget(L_Ethernet_Notes);
  stack->addStretch(1);
  CPG->setWidget(holder);
  CPG->viewport()->installEventFilter(this);
  layout->addWidget(CPG, 1);

  build_group(CP_DMX, ParGenGroup::Dmx);
  build_group(CP_Modbus_Slave, ParGenGroup::ModbusSlave);
  build_group(CP_Ethernet, ParGenGroup::Ethernet);

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel");
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true);
  connect(Btn_OK, &QPushButton::clicked, this, &TFParGen2::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  text_rows_.push_back({Btn_OK, 1002, 1004});
  text_rows_.push_back({Btn_Cancel, 1003, 1005});

  setMinimumWidth(kWidth);
  setMaximumWidth(kWidth);
  resize(kWidth, kStartHeight);
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen2::bind(const ParGenField& field, QWidget* control, int caption) {
  control->setObjectName(field.view.control);
  bindings_[field.element] = control;
  text_rows_.push_back({control, caption, field.view.hint});
}

QWidget* TFParGen2::make_input(QWidget* content, const ParGenField& field, int top) {
  QWidget* input;
  if (field.kind == FieldKind::Choice) {
    auto* combo = new QComboBox(content);
    for (auto item : field.items)
      combo->addItem(q(item));
    // The wheel scrolls the groups, never the choice under the pointer.
    combo->installEventFilter(this);
    input = combo;
  } else {
    input = new QLineEdit(content);
  }
  input->setGeometry(kInputLeft, top, kInputWidth, kRowHeight);
  bind(field, input, text_id::kNone);
  return input;
}

void TFParGen2::build_group(CollapsibleGroup* group, ParGenGroup which) {
  std::map<int, std::vector<const ParGenField*>> rows;
  for (const ParGenField& f : par_gen_fields())
    if (f.view.group == which) rows[f.view.row].push_back(&f);
  QWidget* content = group->content();
  int top = kRowTop;
  for (auto& [row, fields] : rows) {
    // A flag opens its row as a check box; otherwise the row's first field
    // brings the label that opens it.
    auto flag = std::find_if(fields.begin(), fields.end(),
                             [](const ParGenField* f) { return f->kind == FieldKind::Flag; });
    QWidget* left;
    if (flag != fields.end()) {
      left = new QCheckBox(content);
      bind(**flag, left, (*flag)->view.label);
      fields.erase(flag);
    } else {
      left = new QLabel(content);
      left->setObjectName(fields.front()->view.label_name);
      text_rows_.push_back({left, fields.front()->view.label});
    }
    // A check box alone on its row may use the row's whole width.
    int left_width = fields.empty() ? kWidth - 40 : kInputLeft - 16;
    left->setGeometry(12, top, left_width, kRowHeight);
    QWidget* last = left;
    if (fields.size() == 4) {
      auto* address = new AddressRow(content, kInputLeft, top);
      if (last_address_) last_address_->chain_to(address);
      last_address_ = address;
      for (std::size_t i = 0; i < fields.size(); ++i) {
        bind(*fields[i], address->fields[i], text_id::kNone);
        octet_chain.push_back(address->fields[i]);
      }
      last = address->fields.back();
    } else {
      for (const ParGenField* f : fields)
        last = make_input(content, *f, top);
    }
    last_control_[group] = last;
    top += kRowPitch;
  }
}

QWidget* TFParGen2::named(const QString& name) const { return findChild<QWidget*>(name); }

void TFParGen2::Order_TAB_Panels() {
  int tab = 0;
  QWidget* previous = nullptr;
  for (CollapsibleGroup* g : {CP_DMX, CP_Modbus_Slave, CP_Ethernet}) {
    g->setVisible(true);
    g->setCaption(q(logic_.group_caption(tab)));
    ++tab;
    // The headers were made before any row: Tab runs through each group
    // from its header down its rows, then on to the next group.
    for (QWidget* stop : g->tab_stops()) {
      if (previous) setTabOrder(previous, stop);
      previous = stop;
    }
  }
}

void TFParGen2::Move_GroupBoxs() {
  for (CollapsibleGroup* g : {CP_DMX, CP_Modbus_Slave, CP_Ethernet}) {
    QWidget* last = last_control_.at(g);
    int bottom = last->y() + last->height();
    g->setExpandedHeight(bottom + kGroupBottomMargin + g->headerHeight());
  }
}

void TFParGen2::Set_Lang() { apply_texts(text_rows_, catalogue_); }

Par_Gen_Set TFParGen2::shown_set() const {
  Par_Gen_Set set;
  for (const auto& f : par_gen_fields()) {
    QWidget* w = bindings_.at(f.element);
    switch (f.kind) {
    case FieldKind::Choice: set.*f.choice = static_cast<QComboBox*>(w)->currentIndex(); break;
    case FieldKind::Number: set.*f.number = s(static_cast<QLineEdit*>(w)->text()); break;
    case FieldKind::Flag: set.*f.flag = static_cast<QCheckBox*>(w)->isChecked(); break;
    }
  }
  return set;
}

void TFParGen2::show_set(const Par_Gen_Set& set) {
  for (const auto& f : par_gen_fields()) {
    QWidget* w = bindings_.at(f.element);
    switch (f.kind) {
    case FieldKind::Choice: static_cast<QComboBox*>(w)->setCurrentIndex(set.*f.choice); break;
    case FieldKind::Number: static_cast<QLineEdit*>(w)->setText(q(set.*f.number)); break;
    case FieldKind::Flag: static_cast<QCheckBox*>(w)->setChecked(set.*f.flag); break;
    }
  }
}

void TFParGen2::FormShow() {
  std::optional<Par_Gen_Set> set = logic_.FormShow();
  show_set(set.value_or(Par_Gen_Set()));
  show_notes();
  Move_GroupBoxs();
  // A file that can't be read has been reported; defaults in its place would
  // be saved over it, so the editor closes unchanged.
  Btn_OK->setEnabled(set.has_value());
  if (!set)
    QMetaObject::invokeMethod(
        this, [this] { QDialog::reject(); }, Qt::QueuedConnection);
}

void TFParGen2::show_notes() {
  QString notes = q(logic_.notes_text());
  L_Ethernet_Notes->setText(notes);
  L_Ethernet_Notes->setVisible(!notes.isEmpty());
  if (notes.isEmpty()) return;
  // The groups' holder grows by the notes only once the pending layout
  // requests are handled; scrolling before that would aim at the old places.
  for (int pass = 0; pass < 2; ++pass)
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  CPG->ensureWidgetVisible(L_Ethernet_Notes);
}

void TFParGen2::Btn_OKClick() {
  bool closes = logic_.Btn_OKClick(shown_set());
  show_notes();
  if (closes) {
    accept();
    return;
  }
  if (!logic_.failed_element().empty()) {
    QWidget* failed = control(logic_.failed_element());
    // A folded group hides the field: open it, so the focus lands where the
    // message points.
    for (QWidget* w = failed->parentWidget(); w && w != this; w = w->parentWidget())
      if (auto* group = qobject_cast<CollapsibleGroup*>(w); group && !group->isExpanded())
        group->setExpanded(true);
    CPG->ensureWidgetVisible(failed);
    failed->setFocus(Qt::OtherFocusReason);
  }
}

void TFParGen2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFParGen2::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (width() != kWidth) resize(kWidth, height());
}

bool TFParGen2::wheel(QWheelEvent* event) {
  int lines = QApplication::wheelScrollLines();
  if (lines >= 1) {
    QScrollBar* bar = CPG->verticalScrollBar();
    auto action = event->angleDelta().y() > 0 ? QAbstractSlider::SliderSingleStepSub
                                              : QAbstractSlider::SliderSingleStepAdd;
    for (int i = 0; i < lines; ++i)
      bar->triggerAction(action);
  }
  event->accept();
  return true;
}

bool TFParGen2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && (watched == CPG->viewport() || qobject_cast<QComboBox*>(watched)))
    return wheel(static_cast<QWheelEvent*>(event));
  return QDialog::eventFilter(watched, event);
}

} // namespace lw::ui
