#include "ui/soft_options_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/application.h"
#include "ui/link_label.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lw::ui {

using namespace Qt::StringLiterals;

TFSoftOptions::TFSoftOptions(const ProgramFolders& folders, Settings& stored_settings, Catalogue& catalogue,
                             const Services& services, UpdateTimer& timer,
                             std::function<void()> change_language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      catalogue_(catalogue),
      logic_(folders, stored_settings, catalogue, services.messages, timer, services.http, services.urls,
             std::move(change_language), services.server) {
  setObjectName("FSoftOptions");
  QVBoxLayout* layout = dialog_column(this, P_Title, kSW_Code);

  text_rows_ = {{this, 300}, {P_Title->L_SW_Desc, 301}};

  PC_Options = new QTabWidget(this);
  PC_Options->setObjectName("PC_Options");
  layout->addWidget(PC_Options, 1);
  build_language_page();
  build_connection_page();
  build_settings_page();
  for (QCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
    connect(box, &QCheckBox::toggled, this, &TFSoftOptions::CB_En_ConClick);
  build_buttons(layout);

  resize(440, 380);
  Set_Lang();
}

void TFSoftOptions::build_language_page() {
  TS_Language = new QWidget;
  TS_Language->setObjectName("TS_Language");
  auto* lang = new QVBoxLayout(TS_Language);
  L_Sel_Lang = new QLabel(TS_Language);
  L_Sel_Lang->setObjectName("L_Sel_Lang");
  style_bold_grey(L_Sel_Lang);
  lang->addWidget(L_Sel_Lang);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  for (int k = 0; k < kLanguageSlots; ++k) {
    I_L[k] = new ClickableLabel(TS_Language);
    I_L[k]->setObjectName(u"I_L%1"_s.arg(k + 1));
    I_L[k]->setFixedSize(48, 48);
    I_L[k]->setCursor(Qt::PointingHandCursor);
    L_L[k] = new ClickableLabel(TS_Language);
    L_L[k]->setObjectName(u"L_L%1"_s.arg(k + 1));
    L_L[k]->setCursor(Qt::PointingHandCursor);
    // The name is the slot's keyboard stop: Enter or Space chooses, the
    // arrows move between the slots as they stand.
    L_L[k]->set_keyboard_reachable();
    L_L[k]->installEventFilter(this);
    // Slots 1 to 3 run down the left column, 4 to 6 down the right.
    int row = k % 3, column = (k / 3) * 2;
    grid->addWidget(I_L[k], row, column);
    grid->addWidget(L_L[k], row, column + 1);
    connect(I_L[k], &ClickableLabel::clicked, this, [this, k] { LangClick(k + 1); });
    connect(L_L[k], &ClickableLabel::clicked, this, [this, k] { LangClick(k + 1); });
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  lang->addLayout(grid);
  lang->addStretch();
  auto* pager = new QHBoxLayout;
  Btn_Prev = new QPushButton(TS_Language);
  Btn_Prev->setObjectName("Btn_Prev");
  L_Page_Lang = new QLabel(TS_Language);
  L_Page_Lang->setObjectName("L_Page_Lang");
  L_Page_Lang->setAlignment(Qt::AlignCenter);
  Btn_Next = new QPushButton(TS_Language);
  Btn_Next->setObjectName("Btn_Next");
  pager->addWidget(Btn_Prev);
  pager->addWidget(L_Page_Lang, 1);
  pager->addWidget(Btn_Next);
  lang->addLayout(pager);
  connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
  connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });
  PC_Options->addTab(TS_Language, QString());
  text_rows_.insert(text_rows_.end(),
                    {{TS_Language, 302}, {L_Sel_Lang, 304}, {Btn_Prev, 307}, {Btn_Next, 308}});
}

void TFSoftOptions::build_connection_page() {
  TS_Con_Options = new QWidget;
  TS_Con_Options->setObjectName("TS_Con_Options");
  auto* con = new QVBoxLayout(TS_Con_Options);
  CB_En_Con = new QCheckBox(TS_Con_Options);
  CB_En_Con->setObjectName("CB_En_Con");
  CB_Update = new QCheckBox(TS_Con_Options);
  CB_Update->setObjectName("CB_Update");
  Btn_Check_Update = new QPushButton(TS_Con_Options);
  Btn_Check_Update->setObjectName("Btn_Check_Update");
  LL_Check_Update = new LinkNotice(TS_Con_Options);
  LL_Check_Update->setObjectName("LL_Check_Update");
  con->addWidget(CB_En_Con);
  auto* indent = new QHBoxLayout;
  indent->addSpacing(24);
  indent->addWidget(CB_Update);
  con->addLayout(indent);
  auto* check = new QHBoxLayout;
  check->addWidget(Btn_Check_Update);
  check->addStretch();
  con->addLayout(check);
  con->addWidget(LL_Check_Update);
  con->addStretch();
  connect(LL_Check_Update, &QLabel::linkActivated, this,
          [this](const QString& link) { logic_.LL_Check_UpdateLinkClick(s(link)); });
  connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
  PC_Options->addTab(TS_Con_Options, QString());
  text_rows_.insert(text_rows_.end(),
                    {{TS_Con_Options, 303}, {CB_En_Con, 309}, {CB_Update, 310}, {Btn_Check_Update, 311}});
}

void TFSoftOptions::build_settings_page() {
  TS_Soft_Settings = new QWidget;
  TS_Soft_Settings->setObjectName("TS_Soft_Settings");
  auto* settings = new QVBoxLayout(TS_Soft_Settings);
  CB_Soft_Set_Jump_Table = new QCheckBox(TS_Soft_Settings);
  CB_Soft_Set_Jump_Table->setObjectName("CB_Soft_Set_Jump_Table");
  CB_DoubleClick_Auto_Size = new QCheckBox(TS_Soft_Settings);
  CB_DoubleClick_Auto_Size->setObjectName("CB_DoubleClick_Auto_Size");
  settings->addWidget(CB_Soft_Set_Jump_Table);
  settings->addWidget(CB_DoubleClick_Auto_Size);
  settings->addStretch();
  PC_Options->addTab(TS_Soft_Settings, QString());
  text_rows_.insert(
      text_rows_.end(),
      {{TS_Soft_Settings, 319}, {CB_Soft_Set_Jump_Table, 320}, {CB_DoubleClick_Auto_Size, 321}});
}

void TFSoftOptions::build_buttons(QVBoxLayout* layout) {
  auto buttons = add_button_strip(this, layout, "Btn_OK", "Btn_Cancel");
  Btn_OK = buttons.first;
  Btn_Cancel = buttons.second;
  Btn_OK->setDefault(true);
  connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  text_rows_.insert(text_rows_.end(), {{Btn_OK, 312}, {Btn_Cancel, 313}});
}

void TFSoftOptions::Set_Lang() {
  apply_texts(text_rows_, catalogue_);
  // Until a showing counts the languages, the counter reads page 1 of 1.
  L_Page_Lang->setText(q(catalogue_.text(text_id::kPageCounterPrefix) + "1" +
                         catalogue_.text(text_id::kPageCounterSeparator) + "1"));
}

void TFSoftOptions::show_language_page(const LanguagePage& page) {
  L_Sel_Lang->setText(q(page.selected));
  L_Page_Lang->setText(q(page.counter));
  Btn_Prev->setVisible(page.prev_visible);
  Btn_Next->setVisible(page.next_visible);
  for (int k = 0; k < kLanguageSlots; ++k) {
    const LanguageSlot& slot = page.entries[k];
    L_L[k]->setVisible(slot.visible);
    L_L[k]->setText(q(slot.name));
    QPixmap flag;
    for (const auto& path : slot.flags)
      if (flag.load(q(path))) break; // a picture that can't be read counts as missing
    I_L[k]->setPixmap(flag);
    I_L[k]->setVisible(slot.visible && !flag.isNull());
  }
}

OptionChecks TFSoftOptions::checks() const {
  return {CB_En_Con->isChecked(), CB_Update->isChecked(), CB_Soft_Set_Jump_Table->isChecked(),
          CB_DoubleClick_Auto_Size->isChecked()};
}

void TFSoftOptions::FormShow() {
  OptionChecks shown = logic_.FormShow();
  show_language_page(logic_.Update_Lang_Page(1));
  CB_En_ConClick();
  LL_Check_Update->hide();
  PC_Options->setCurrentWidget(TS_Language);
  CB_En_Con->setChecked(shown.En_Con);
  CB_Update->setChecked(shown.Update);
  CB_Soft_Set_Jump_Table->setChecked(shown.Jump_Table);
  CB_DoubleClick_Auto_Size->setChecked(shown.Auto_Size);
  CB_En_ConClick();
}

void TFSoftOptions::LangClick(int slot) {
  if (!logic_.LangClick(slot)) return;
  L_Sel_Lang->setText(q(logic_.selected_text()));
  L_Page_Lang->setText(q(logic_.counter(logic_.Show_Page)));
}

void TFSoftOptions::Btn_NextClick(QObject* sender) {
  show_language_page(logic_.Btn_NextClick(sender == Btn_Next));
}

void TFSoftOptions::CB_En_ConClick() {
  CheckEnabling rule = Update_CheckBox(checks());
  CB_Update->setEnabled(rule.Update_enabled);
  Btn_Check_Update->setEnabled(rule.Check_Update_enabled);
}

void TFSoftOptions::Btn_Check_UpdateClick() {
  auto result = logic_.Btn_Check_UpdateClick();
  if (result.newer)
    LL_Check_Update->show_link(result.text, result.link);
  else
    LL_Check_Update->show_plain(result.text);
  LL_Check_Update->setVisible(true);
}

void TFSoftOptions::Btn_OKClick() {
  logic_.Btn_OKClick(checks());
  accept();
}

namespace {
// The slot an arrow key leads to from slot k (0-based), down the left column
// 0..2 and the right column 3..5; -1 past the edge.
int slot_towards(int k, int key) {
  const int row = k % 3, column = k / 3;
  switch (key) {
  case Qt::Key_Up: return row > 0 ? k - 1 : -1;
  case Qt::Key_Down: return row < 2 ? k + 1 : -1;
  case Qt::Key_Left: return column > 0 ? k - 3 : -1;
  case Qt::Key_Right: return column < 1 ? k + 3 : -1;
  default: return -1;
  }
}
} // namespace

bool TFSoftOptions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    for (int k = 0; k < kLanguageSlots; ++k) {
      if (watched != L_L[k]) continue;
      int to = slot_towards(k, key->key());
      if (to < 0) break;
      if (L_L[to]->isVisible()) L_L[to]->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFSoftOptions::reject() {
  logic_.Btn_CancelClick();
  QDialog::reject();
}

void TFSoftOptions::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

} // namespace lw::ui
