#include "ui/open_conf_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/duplicate_conf_dialog.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw::ui {

TFOpenConf::TFOpenConf(const ProgramFolders& folders, const OpenConfiguration& conf,
                       const Catalogue& catalogue, UserMessages& messages, FilePicker& files, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), catalogue_(catalogue),
      logic_(folders, conf), archive_(folders, catalogue, messages, files) {
  setObjectName("FOpenConf");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);

  auto* body = new QWidget(this);
  auto* body_layout = new QVBoxLayout(body);
  body_layout->setContentsMargins(12, 8, 12, 4);
  Label1 = new QLabel(body);
  Label1->setObjectName("Label1");
  ListBox1 = new QListWidget(body);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  body_layout->addWidget(Label1);
  body_layout->addWidget(ListBox1, 1);
  // Under the list, as they act on it: its chosen entry out, a new one in.
  auto* archive_row = new QHBoxLayout;
  Btn_Export = new FocusButton(body);
  Btn_Export->setObjectName("Btn_Export");
  Btn_Import = new FocusButton(body);
  Btn_Import->setObjectName("Btn_Import");
  for (QPushButton* button : {Btn_Export, Btn_Import}) {
    button->setAutoDefault(true);
    archive_row->addWidget(button);
  }
  archive_row->addStretch();
  body_layout->addLayout(archive_row);
  layout->addWidget(body, 1);

  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel");
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true); // Enter opens the selected configuration
  connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { logic_.ListBox1Click(row); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  Btn_Duplicate = add_side_button(buttons, "Btn_Duplicate", Btn_Import);
  setTabOrder(ListBox1, Btn_Export);
  setTabOrder(Btn_Export, Btn_Import);
  connect(Btn_Duplicate, &QPushButton::clicked, this, &TFOpenConf::Btn_DuplicateClick);
  connect(Btn_Export, &QPushButton::clicked, this, &TFOpenConf::Btn_ExportClick);
  connect(Btn_Import, &QPushButton::clicked, this, &TFOpenConf::Btn_ImportClick);
  FDuplicateConf = new TFDuplicateConf(folders, catalogue, messages, this);

  resize(377, 351);
  text_rows_ = {{this, 200},
                {P_Title->L_SW_Desc, 201},
                {Label1, 202},
                {Btn_OK, 203, 206},
                {Btn_Cancel, 204, 207},
                {ListBox1, text_id::kNone, 205},
                {Btn_Duplicate, 208, 209},
                {Btn_Export, 1230, 1231},
                {Btn_Import, 1232, 1233}};
  Set_Lang();
}

void TFOpenConf::Set_Lang() { apply_texts(text_rows_, catalogue_); }

void TFOpenConf::FormShow() { fill_list(logic_.FormShow()); }

void TFOpenConf::fill_list(int index) {
  // Refilling the list must not move Name_Conf: the logic chose already.
  QSignalBlocker block(ListBox1);
  ListBox1->clear();
  for (const auto& name : logic_.SL())
    ListBox1->addItem(q(name));
  if (index >= 0) ListBox1->setCurrentRow(index);
  Btn_Duplicate->setEnabled(index >= 0);
  Btn_Export->setEnabled(index >= 0);
}

void TFOpenConf::Btn_DuplicateClick() {
  if (ListBox1->currentRow() < 0 || !FDuplicateConf->Duplicate(logic_.Name_Conf)) return;
  choose(FDuplicateConf->new_name());
}

void TFOpenConf::choose(const std::string& name) {
  fill_list(logic_.reload_choosing(name));
  ListBox1->setFocus(Qt::OtherFocusReason);
}

void TFOpenConf::Btn_ExportClick() {
  if (ListBox1->currentRow() >= 0) archive_.Btn_ExportClick(logic_.Name_Conf);
}

void TFOpenConf::Btn_ImportClick() {
  switch (archive_.Btn_ImportClick()) {
  case ConfArchiveLogic::Import::Made: choose(archive_.name()); break;
  case ConfArchiveLogic::Import::NeedsName:
    if (FDuplicateConf->Import(archive_.name(),
                               [this](const std::string& name) { return archive_.make_as(name); }))
      choose(archive_.name());
    break;
  case ConfArchiveLogic::Import::Cancelled:
  case ConfArchiveLogic::Import::Refused: break;
  }
}

void TFOpenConf::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

} // namespace lw::ui
