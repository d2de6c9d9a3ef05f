#include "ui/new_project_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw::ui {

TFNew_Project::TFNew_Project(const ProgramFolders& folders, OpenConfiguration& conf,
                             const Catalogue& catalogue, UserMessages& messages, FilePicker& files,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      catalogue_(catalogue), files_(files), logic_(folders, conf, catalogue, messages) {
  setObjectName("FNew_Project");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);

  auto* body = new QWidget(this);
  auto* body_layout = new QVBoxLayout(body);
  body_layout->setContentsMargins(16, 8, 16, 4);
  Label1 = new QLabel(body);
  Label1->setObjectName("Label1");
  E_New_Proj = new QLineEdit(body);
  E_New_Proj->setObjectName("E_New_Proj");
  E_New_Proj->installEventFilter(this);
  body_layout->addWidget(Label1);
  body_layout->addWidget(E_New_Proj);
  body_layout->addStretch();
  layout->addWidget(body, 1);

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel");
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true);
  connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

  Btn_FromImage = add_side_button(buttons, "Btn_FromImage", E_New_Proj);
  connect(Btn_FromImage, &QPushButton::clicked, this, &TFNew_Project::Btn_FromImageClick);

  setFixedSize(331, 162);
  text_rows_ = {{this, 100},
                {P_Title->L_SW_Desc, 101},
                {Label1, 102},
                {Btn_OK, 103, 109},
                {Btn_Cancel, 104, 110},
                {E_New_Proj, text_id::kNone, 108},
                {Btn_FromImage, text_id::kBtnFromImage, text_id::kHintFromImage}};
  Set_Lang();
}

void TFNew_Project::Set_Lang() { apply_texts(text_rows_, catalogue_); }

void TFNew_Project::FormShow() {
  E_New_Proj->clear();
  E_New_Proj->setFocus();
}

void TFNew_Project::Btn_OKClick() {
  if (logic_.Btn_OKClick(s(E_New_Proj->text()))) accept();
}

void TFNew_Project::Btn_FromImageClick() {
  if (logic_.Btn_FromImageClick(s(E_New_Proj->text()), files_)) accept();
}

void TFNew_Project::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

bool TFNew_Project::eventFilter(QObject* watched, QEvent* event) {
  if (watched == E_New_Proj && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Btn_OKClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

} // namespace lw::ui
