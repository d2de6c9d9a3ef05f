#include "ui/par_gen_editor.h"

#include "core/app_state.h"
#include "ui/collapsible_group.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace lw::ui {

namespace {
constexpr int kWidth = 460;
constexpr int kStartHeight = 700;
constexpr int kRowTop = 8;
constexpr int kRowPitch = 30;
constexpr int kInputLeft = 210;
constexpr int kOctetWidth = 44;
constexpr int kGroupBottomMargin = 12;
} // namespace

struct TFParGen2::Row {
  struct Input {
    const char* name;
    const char* element;
    int hint;
  };
  const char* left_name;
  int left_text;
  int left_hint = 0;
  const char* left_element = nullptr; // set when the left control is a bound check box
  std::vector<Input> inputs = {};
};

TFParGen2::TFParGen2(AppState& state, UserMessages& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), state_(state),
      logic_(state, messages) {
  setObjectName("FParGen2");
  QVBoxLayout* layout = dialog_column(this, P_Title, state.SW_Code);

  CPG = new QScrollArea(this);
  CPG->setObjectName("CPG");
  CPG->setWidgetResizable(true);
  CPG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  CPG->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  CPG->setFrameShape(QFrame::NoFrame);
  auto* holder = new QWidget(CPG);
  auto* stack = new QVBoxLayout(holder);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->setSpacing(0);
  CP_DMX = new CollapsibleGroup("CP_DMX", holder);
  CP_Modbus_Slave = new CollapsibleGroup("CP_Modbus_Slave", holder);
  CP_Ethernet = new CollapsibleGroup("CP_Ethernet", holder);
  stack->addWidget(CP_DMX);
  stack->addWidget(CP_Modbus_Slave);
  stack->addWidget(CP_Ethernet);
  stack->addStretch(1);
  CPG->setWidget(holder);
  CPG->viewport()->installEventFilter(this);
  layout->addWidget(CPG, 1);

  build_group(CP_DMX,
              {
                  {"L_DMX_DMX", 1007, 0, nullptr, {{"CB_DMX_DMX", "DMX_DMX", 1008}}},
                  {"L_DMX_ChannelNum", 1009, 0, nullptr, {{"E_DMX_ChannelNum", "DMX_Num_Channels", 1010}}},
                  {"CB_DMX_EndLineRes", 1143, 1144, "DMX_END_LINE_RES"},
              });
  build_group(CP_Modbus_Slave, {
                                   {"L_ModbusSlave_Serial",
                                    1080,
                                    0,
                                    nullptr,
                                    {{"CB_ModbusSlave_Serial", "MODBUS_SLAVE_SERIAL", 1081}}},
                                   {"L_ModbusSlave_Baudrate",
                                    1082,
                                    0,
                                    nullptr,
                                    {{"CB_ModbusSlave_Baudrate", "MODBUS_SLAVE_BAUDRATE", 1083}}},
                                   {"L_ModbusSlave_Parity",
                                    1084,
                                    0,
                                    nullptr,
                                    {{"CB_ModbusSlave_Parity", "MODBUS_SLAVE_PARITY", 1085}}},
                                   {"L_ModbusSlave_StopBits",
                                    1086,
                                    0,
                                    nullptr,
                                    {{"CB_ModbusSlave_StopBits", "MODBUS_SLAVE_STOPBITS", 1087}}},
                                   {"L_ModbusSlave_IDDevice",
                                    1088,
                                    0,
                                    nullptr,
                                    {{"E_ModbusSlave_IDDevice", "MODBUS_SLAVE_IDDEVICE", 1089}}},
                                   {"CB_Modbus_Slave_MapDMX", 1141, 1142, "MODBUS_SLAVE_DMX_MAP"},
                               });
  build_group(CP_Ethernet, {
                               {"L_Ethernet_IP",
                                1095,
                                0,
                                nullptr,
                                {{"E_Ethernet_IP1", "Ethernet_IP1", 1096},
                                 {"E_Ethernet_IP2", "Ethernet_IP2", 1097},
                                 {"E_Ethernet_IP3", "Ethernet_IP3", 1098},
                                 {"E_Ethernet_IP4", "Ethernet_IP4", 1099}}},
                               {"L_Ethernet_SM",
                                1100,
                                0,
                                nullptr,
                                {{"E_Ethernet_SM1", "Ethernet_SM1", 1101},
                                 {"E_Ethernet_SM2", "Ethernet_SM2", 1102},
                                 {"E_Ethernet_SM3", "Ethernet_SM3", 1103},
                                 {"E_Ethernet_SM4", "Ethernet_SM4", 1104}}},
                               {"CB_Ethernet_En_GAT",
                                1105,
                                1106,
                                "Ethernet_EN_GAT",
                                {{"E_Ethernet_GAT1", "Ethernet_GAT1", 1107},
                                 {"E_Ethernet_GAT2", "Ethernet_GAT2", 1108},
                                 {"E_Ethernet_GAT3", "Ethernet_GAT3", 1109},
                                 {"E_Ethernet_GAT4", "Ethernet_GAT4", 1110}}},
                           });

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel");
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  connect(Btn_OK, &QPushButton::clicked, this, &TFParGen2::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  texts_.push_back({Btn_OK, 1002, 1004});
  texts_.push_back({Btn_Cancel, 1003, 1005});

  setMinimumWidth(kWidth);
  setMaximumWidth(kWidth);
  resize(kWidth, kStartHeight);
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen2::build_group(CollapsibleGroup* group, const std::vector<Row>& rows) {
  QWidget* content = group->content();
  auto& texts = texts_;
  int top = kRowTop;
  for (const Row& row : rows) {
    QWidget* left;
    if (row.left_element) {
      auto* box = new QCheckBox(content);
      bindings_[row.left_element] = box;
      left = box;
    } else {
      left = new QLabel(content);
    }
    left->setObjectName(row.left_name);
    // A check box alone on its row may use the row's whole width.
    int left_width = row.inputs.empty() ? kWidth - 40 : kInputLeft - 16;
    left->setGeometry(12, top, left_width, 24);
    texts.push_back({left, row.left_text, row.left_hint});
    QWidget* last = left;
    int x = kInputLeft;
    for (std::size_t i = 0; i < row.inputs.size(); ++i) {
      const auto& in = row.inputs[i];
      const ParGenField& field = par_gen_field(in.element);
      QWidget* input;
      if (field.kind == FieldKind::Choice) {
        auto* combo = new QComboBox(content);
        for (auto item : field.items)
          combo->addItem(q(item));
        combo->setGeometry(x, top, 150, 24);
        // The wheel scrolls the groups, never the choice under the pointer.
        combo->installEventFilter(this);
        input = combo;
      } else {
        auto* edit = new QLineEdit(content);
        bool octet = row.inputs.size() == 4;
        edit->setGeometry(x, top, octet ? kOctetWidth : 150, 24);
        if (octet) {
          edit->setAlignment(Qt::AlignCenter);
          edit->installEventFilter(this);
          octet_chain.push_back(edit);
          if (i < 3) {
            auto* dot = new QLabel(".", content);
            dot->setGeometry(x + kOctetWidth, top, 10, 24);
            dot->setAlignment(Qt::AlignCenter);
          }
          x += kOctetWidth + 10;
        }
        input = edit;
      }
      input->setObjectName(in.name);
      bindings_[in.element] = input;
      texts.push_back({input, 0, in.hint});
      last = input;
    }
    last_control_[group] = last;
    top += kRowPitch;
  }
}

QWidget* TFParGen2::named(const QString& name) const { return findChild<QWidget*>(name); }

void TFParGen2::Order_TAB_Panels() {
  int tab = 0;
  for (CollapsibleGroup* g : {CP_DMX, CP_Modbus_Slave, CP_Ethernet}) {
    g->setVisible(true);
    g->setCaption(q(logic_.group_caption(tab)));
    ++tab;
  }
}

void TFParGen2::Move_GroupBoxs() {
  for (CollapsibleGroup* g : {CP_DMX, CP_Modbus_Slave, CP_Ethernet}) {
    QWidget* last = last_control_.at(g);
    int bottom = last->y() + last->height();
    g->setExpandedHeight(bottom + kGroupBottomMargin + g->headerHeight());
  }
}

void TFParGen2::Set_Lang() {
  setWindowTitle(q(state_.text(1000)));
  P_Title->L_SW_Desc->setText(q(state_.text(1001)));
  for (const auto& t : texts_) {
    if (t.text) {
      if (auto* l = qobject_cast<QLabel*>(t.widget))
        l->setText(q(state_.text(t.text)));
      else if (auto* c = qobject_cast<QCheckBox*>(t.widget))
        c->setText(q(state_.text(t.text)));
      else if (auto* b = qobject_cast<QPushButton*>(t.widget))
        b->setText(q(state_.text(t.text)));
    }
    if (t.hint) t.widget->setToolTip(q(state_.text(t.hint)));
  }
}

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
  show_set(logic_.FormShow());
  Move_GroupBoxs();
}

void TFParGen2::Btn_OKClick() {
  if (logic_.Btn_OKClick(shown_set())) accept();
}

void TFParGen2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFParGen2::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (width() != kWidth) resize(kWidth, height());
}

bool TFParGen2::octet_key(QLineEdit* edit, QKeyEvent* key) {
  if (key->text() != ".") return false;
  auto it = std::find(octet_chain.begin(), octet_chain.end(), edit);
  if (it != octet_chain.end() && it + 1 != octet_chain.end()) {
    QLineEdit* next = *(it + 1);
    if (next->isVisible() && next->isEnabled()) next->setFocus(Qt::TabFocusReason);
  }
  return true; // a dot is never inserted
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
  if (event->type() == QEvent::KeyPress) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      if (octet_key(edit, static_cast<QKeyEvent*>(event))) return true;
    }
  }
  if (event->type() == QEvent::Wheel && (watched == CPG->viewport() || qobject_cast<QComboBox*>(watched)))
    return wheel(static_cast<QWheelEvent*>(event));
  return QDialog::eventFilter(watched, event);
}

} // namespace lw::ui
