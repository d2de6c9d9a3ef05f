#include "ui/boot_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/address_row.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lw::ui {

using namespace Qt::StringLiterals;

namespace {
constexpr int kWidth = 449;
// The address panel holds the fields and two lines about the configuration's
// own address; the preview gives up their room, as it scrolls.
constexpr int kTitleHeight = 69, kAddressHeight = 89, kOptionsHeight = 72, kPreviewHeight = 110,
              kButtonHeight = 40;
constexpr int kHeight = kTitleHeight + kAddressHeight + kOptionsHeight + kPreviewHeight + kButtonHeight;
static_assert(kHeight == 380);
} // namespace

TFBoot::TFBoot(const ProgramFolders& folders, Settings& settings, const OpenConfiguration& conf,
               const Catalogue& catalogue, UserMessages& messages, UpdatePorts ports, RecordPorts record,
               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      catalogue_(catalogue), logic_(folders, settings, conf, catalogue, messages, std::move(ports), record) {
  setObjectName("FBoot");
  QVBoxLayout* layout = dialog_column(this, P_Title, {});

  P_IP_Address = new QWidget(this);
  P_IP_Address->setObjectName("P_IP_Address");
  P_IP_Address->setFixedHeight(kAddressHeight);
  L_IP_Address = new QLabel(P_IP_Address);
  L_IP_Address->setObjectName("L_IP_Address");
  L_IP_Address->setGeometry(12, 14, 200, 22);
  auto* address = new AddressRow(P_IP_Address, 220, 13);
  for (int i = 0; i < 4; ++i) {
    E_IP[i] = address->fields[static_cast<std::size_t>(i)];
    E_IP[i]->setObjectName(u"E_IP%1"_s.arg(i + 1));
    E_IP[i]->setText(u"0"_s);
    connect(E_IP[i], &QLineEdit::textChanged, this, &TFBoot::show_address_note);
  }
  L_Own_Address = new QLabel(P_IP_Address);
  L_Own_Address->setObjectName("L_Own_Address");
  L_Own_Address->setGeometry(12, 42, kWidth - 24, 20);
  L_Address_Move = new QLabel(P_IP_Address);
  L_Address_Move->setObjectName("L_Address_Move");
  L_Address_Move->setGeometry(12, 64, kWidth - 24, 20);
  for (QLabel* label : {L_Own_Address, L_Address_Move})
    label->setTextFormat(Qt::PlainText);
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
  connect(CB_Update_Options, &QComboBox::currentIndexChanged, this, &TFBoot::show_address_note);
  layout->addWidget(P_Options);

  // A long list of changes scrolls, so the dialog keeps its size in every language.
  P_Preview = new QWidget(this);
  P_Preview->setObjectName("P_Preview");
  P_Preview->setFixedHeight(kPreviewHeight);
  M_Preview = new ReadingBox(P_Preview);
  M_Preview->setObjectName("M_Preview");
  M_Preview->setGeometry(12, 4, kWidth - 24, kPreviewHeight - 8);
  layout->addWidget(P_Preview);

  auto buttons = add_button_strip(this, layout, "Btn_Cancel", "Btn_Update");
  Btn_Cancel = buttons.first;
  Btn_Update = buttons.second;
  P_Button = buttons.strip;
  Btn_Update->setDefault(true);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);

  setFixedSize(kWidth, kHeight);
  text_rows_ = {{this, 802},
                {P_Title->L_SW_Desc, 803},
                {L_IP_Address, 806},
                {E_IP[0], text_id::kNone, 821},
                {E_IP[1], text_id::kNone, 822},
                {E_IP[2], text_id::kNone, 823},
                {E_IP[3], text_id::kNone, 824},
                {L_Update_Option, 814},
                {CB_Update_Options, text_id::kNone, 832},
                {CB_Update_Option_Read_Back, 818, 833},
                {Btn_Cancel, 819, 834},
                {Btn_Update, 820, 835}};
}

void TFBoot::Set_Lang() {
  apply_texts(text_rows_, catalogue_);
  CB_Update_Options->clear();
  for (int index : {815, 816, 817})
    CB_Update_Options->addItem(q(catalogue_.text(index)));
  CB_Update_Options->setCurrentIndex(0);
  show_address_note();
}

void TFBoot::FormShow() {
  Set_Lang();
  P_Title->L_SW_Code->setText(q(kSW_Code));
  setFixedSize(kWidth, kHeight);
  if (auto octets = logic_.prefill())
    for (int i = 0; i < 4; ++i)
      E_IP[i]->setText(q((*octets)[static_cast<std::size_t>(i)]));
  CB_Update_Options->setCurrentIndex(logic_.Update_Option_Index);
  CB_Update_Option_Read_Back->setChecked(logic_.Update_Read_Back);
  show_preview();
  show_address_note();
  E_IP[0]->setFocus();
}

void TFBoot::show_preview() { M_Preview->setPlainText(q(logic_.preview())); }

void TFBoot::show_address_note() {
  const AddressNote note = logic_.address_note(fields(), CB_Update_Options->currentIndex());
  L_Own_Address->setText(q(note.own));
  L_Address_Move->setText(q(note.move));
}

OctetTexts TFBoot::fields() const {
  return {s(E_IP[0]->text()), s(E_IP[1]->text()), s(E_IP[2]->text()), s(E_IP[3]->text())};
}

void TFBoot::Btn_UpdateClick() {
  if (logic_.running()) return;
  QPointer<QWidget> had_focus = focusWidget();
  show_running(true);
  auto shown = logic_.Btn_UpdateClick(fields(), CB_Update_Options->currentIndex(),
                                      CB_Update_Option_Read_Back->isChecked());
  show_running(false);
  show_preview();
  if (had_focus) had_focus->setFocus();
  if (shown)
    for (int i = 0; i < 4; ++i)
      E_IP[i]->setText(q((*shown)[static_cast<std::size_t>(i)]));
}

void TFBoot::show_running(bool running) {
  // What is being handed over can't change under the probe, and a second
  // Execute can't start another; Cancel stays usable throughout.
  Btn_Update->setEnabled(!running);
  for (QLineEdit* field : E_IP)
    field->setEnabled(!running);
  CB_Update_Options->setEnabled(!running);
  CB_Update_Option_Read_Back->setEnabled(!running);
  if (running)
    setCursor(Qt::BusyCursor);
  else
    unsetCursor();
}

void TFBoot::reject() {
  // Cancel, Escape, the close box and a stop signal all end here.
  logic_.Stop();
  QDialog::reject();
}

void TFBoot::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

} // namespace lw::ui
