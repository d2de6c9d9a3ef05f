#include "ui/boot_dialog.h"

#include "core/app_state.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw::ui {

namespace {
constexpr int kWidth = 449;
constexpr int kTitleHeight = 69, kAddressHeight = 49, kOptionsHeight = 72, kButtonHeight = 40;
constexpr int kHeight = kTitleHeight + kAddressHeight + kOptionsHeight + kButtonHeight;
static_assert(kHeight == 230);
} // namespace

TFBoot::TFBoot(AppState& state, UserMessages& messages, UpdatePorts ports, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      state_(state), logic_(state, messages, std::move(ports)) {
  setObjectName("FBoot");
  QVBoxLayout* layout = dialog_column(this, P_Title, {});

  P_IP_Address = new QWidget(this);
  P_IP_Address->setObjectName("P_IP_Address");
  P_IP_Address->setFixedHeight(kAddressHeight);
  L_IP_Address = new QLabel(P_IP_Address);
  L_IP_Address->setObjectName("L_IP_Address");
  L_IP_Address->setGeometry(12, 14, 200, 22);
  for (int i = 0; i < 4; ++i) {
    E_IP[i] = new QLineEdit("0", P_IP_Address);
    E_IP[i]->setObjectName(QString("E_IP%1").arg(i + 1));
    E_IP[i]->setGeometry(220 + i * 54, 13, 44, 24);
    E_IP[i]->setAlignment(Qt::AlignCenter);
    E_IP[i]->installEventFilter(this);
    if (i < 3) {
      auto* dot = new QLabel(".", P_IP_Address);
      dot->setGeometry(264 + i * 54, 13, 10, 24);
      dot->setAlignment(Qt::AlignCenter);
    }
  }
  layout->addWidget(P_IP_Address);

  P_Options = new QWidget(this);
  P_Options->setObjectName("P_Options");
  P_Options->setFixedHeight(kOptionsHeight);
  L_Update_Option = new QLabel(P_Options);
  L_Update_Option->setObjectName("L_Update_Option");
  L_Update_Option->setGeometry(12, 8, 200, 22);
  CB_Update_Options = new QComboBox(P_Options);
  CB_Update_Options->setObjectName("CB_Update_Options");
  CB_Update_Options->setGeometry(220, 7, 212, 24);
  CB_Update_Option_Read_Back = new QCheckBox(P_Options);
  CB_Update_Option_Read_Back->setObjectName("CB_Update_Option_Read_Back");
  CB_Update_Option_Read_Back->setGeometry(220, 40, 212, 22);
  CB_Update_Option_Read_Back->setChecked(true);
  layout->addWidget(P_Options);

  auto buttons = add_button_strip(this, layout, "Btn_Cancel", "Btn_Update");
  Btn_Cancel = buttons.first;
  Btn_Update = buttons.second;
  P_Button = buttons.strip;
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);

  setFixedSize(kWidth, kHeight);
}

void TFBoot::Set_Lang() {
  setWindowTitle(q(state_.text(802)));
  P_Title->L_SW_Desc->setText(q(state_.text(803)));
  L_IP_Address->setText(q(state_.text(806)));
  for (int i = 0; i < 4; ++i)
    E_IP[i]->setToolTip(q(state_.text(821 + i)));
  L_Update_Option->setText(q(state_.text(814)));
  CB_Update_Options->setToolTip(q(state_.text(832)));
  CB_Update_Option_Read_Back->setText(q(state_.text(818)));
  CB_Update_Option_Read_Back->setToolTip(q(state_.text(833)));
  Btn_Cancel->setText(q(state_.text(819)));
  Btn_Cancel->setToolTip(q(state_.text(834)));
  Btn_Update->setText(q(state_.text(820)));
  Btn_Update->setToolTip(q(state_.text(835)));
  CB_Update_Options->clear();
  for (int index : {815, 816, 817})
    CB_Update_Options->addItem(q(state_.text(index)));
  CB_Update_Options->setCurrentIndex(0);
}

void TFBoot::FormShow() {
  Set_Lang();
  P_Title->L_SW_Code->setText(q(state_.SW_Code));
  setFixedSize(kWidth, kHeight);
  if (auto octets = logic_.prefill())
    for (int i = 0; i < 4; ++i)
      E_IP[i]->setText(q((*octets)[static_cast<std::size_t>(i)]));
  CB_Update_Options->setCurrentIndex(state_.Update_Option_Index);
  CB_Update_Option_Read_Back->setChecked(state_.Update_Read_Back);
  E_IP[0]->setFocus();
}

OctetTexts TFBoot::fields() const {
  return {s(E_IP[0]->text()), s(E_IP[1]->text()), s(E_IP[2]->text()), s(E_IP[3]->text())};
}

void TFBoot::Btn_UpdateClick() {
  auto shown = logic_.Btn_UpdateClick(fields(), CB_Update_Options->currentIndex(),
                                      CB_Update_Option_Read_Back->isChecked());
  if (shown)
    for (int i = 0; i < 4; ++i)
      E_IP[i]->setText(q((*shown)[static_cast<std::size_t>(i)]));
}

void TFBoot::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

bool TFBoot::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == ".") {
    for (int i = 0; i < 4; ++i) {
      if (watched != E_IP[i]) continue;
      if (i < 3 && E_IP[i + 1]->isVisible() && E_IP[i + 1]->isEnabled())
        E_IP[i + 1]->setFocus(Qt::TabFocusReason);
      return true; // a dot is never inserted
    }
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace lw::ui
