#include "ui/duplicate_conf_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw::ui {

namespace {
constexpr int kWidth = 331;
constexpr int kHeight = 206;
} // namespace

TFDuplicateConf::TFDuplicateConf(const ProgramFolders& folders, const Catalogue& catalogue,
                                 UserMessages& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      logic_(folders, catalogue, messages), catalogue_(catalogue) {
  setObjectName("FDuplicateConf");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);

  auto* body = new QWidget(this);
  auto* body_layout = new QVBoxLayout(body);
  body_layout->setContentsMargins(16, 8, 16, 4);
  L_Source = new QLabel(body);
  L_Source->setObjectName("L_Source");
  L_Source_Name = new QLabel(body);
  L_Source_Name->setObjectName("L_Source_Name");
  QFont bold = L_Source_Name->font();
  bold.setBold(true);
  L_Source_Name->setFont(bold);
  // A long name wraps rather than widening the fixed window.
  L_Source_Name->setWordWrap(true);
  Label1 = new QLabel(body);
  Label1->setObjectName("Label1");
  E_New_Name = new QLineEdit(body);
  E_New_Name->setObjectName("E_New_Name");
  body_layout->addWidget(L_Source);
  body_layout->addWidget(L_Source_Name);
  body_layout->addSpacing(6);
  body_layout->addWidget(Label1);
  body_layout->addWidget(E_New_Name);
  body_layout->addStretch();
  layout->addWidget(body, 1);

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel");
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true); // Enter in the name field makes the copy
  connect(Btn_OK, &QPushButton::clicked, this, &TFDuplicateConf::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

  setFixedSize(kWidth, kHeight);
  text_rows_ = {{this, 210},           {P_Title->L_SW_Desc, 211},         {L_Source, 212},
                {Label1, 213},         {E_New_Name, text_id::kNone, 214}, {Btn_OK, 215, 217},
                {Btn_Cancel, 216, 218}};
  Set_Lang();
}

void TFDuplicateConf::Set_Lang() {
  apply_texts(text_rows_, catalogue_);
  if (!importing_) return;
  // Asking the name of an import, the window says so; the rest reads alike.
  setWindowTitle(q(catalogue_.text(text_id::kArchiveImportTitle)));
  P_Title->L_SW_Desc->setText(q(catalogue_.text(text_id::kArchiveNameHeading)));
  L_Source->setText(q(catalogue_.text(text_id::kArchiveNameSource)));
}

bool TFDuplicateConf::Duplicate(const std::string& source) {
  return ask(source, logic_.FormShow(source), false);
}

bool TFDuplicateConf::Import(const std::string& archived, DuplicateConfLogic::Maker make) {
  return ask(archived, logic_.FormShow(archived, std::move(make)), true);
}

bool TFDuplicateConf::ask(const std::string& source, std::string name, bool importing) {
  show_mode(importing);
  show_names(source, name);
  bool made = exec() == QDialog::Accepted;
  show_mode(false);
  return made;
}

void TFDuplicateConf::show_mode(bool importing) {
  importing_ = importing;
  Set_Lang();
}

void TFDuplicateConf::FormShow(const std::string& source) { show_names(source, logic_.FormShow(source)); }

void TFDuplicateConf::show_names(const std::string& source, const std::string& name) {
  L_Source_Name->setText(q(source));
  E_New_Name->setText(q(name));
  E_New_Name->selectAll();
  E_New_Name->setFocus();
}

void TFDuplicateConf::Btn_OKClick() {
  if (logic_.Btn_OKClick(new_name())) accept();
}

std::string TFDuplicateConf::new_name() const { return s(E_New_Name->text()); }

} // namespace lw::ui
