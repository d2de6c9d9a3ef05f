#include "ui/main_window.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/boot_dialog.h"
#include "ui/dmx_editor.h"
#include "ui/link_label.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"
#include "ui/par_gen_editor.h"
#include "ui/qt_text.h"
#include "ui/sheet_conf_dialog.h"
#include "ui/soft_options_dialog.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

// Resources of a static library must be registered by hand.
static void register_icons() { Q_INIT_RESOURCE(icons); }

namespace lw::ui {

using namespace Qt::StringLiterals;

namespace {
// The steps are rows 44 pixels apart; the last row fixes the window's height.
constexpr int kStepCount = 4;
constexpr int kStepPitch = 44;
constexpr int kFirstStepTop = 112;
constexpr int stepTop(int n) { return kFirstStepTop + kStepPitch * (n - 1); }
constexpr int kLastStepTop = stepTop(kStepCount);
constexpr int kClientWidth = 694;
constexpr int kClientHeight = kLastStepTop + 152;
static_assert(kClientHeight == 396);

QLabel* make_label(QWidget* parent, const char* name, int x, int y) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->move(x, y);
  return l;
}
} // namespace

TFLoomworkeFirmWare::TFLoomworkeFirmWare(const ProgramFolders& folders, Settings& settings,
                                         OpenConfiguration& conf, Catalogue& catalogue,
                                         const Services& services)
    : QWidget(nullptr,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      catalogue_(catalogue), timer_port_(Timer_Update),
      logic_(folders, settings, conf, catalogue, services.messages, timer_port_, services.urls, services.http,
             services.server),
      sheet_(conf, catalogue,
             {services.messages, services.files, services.urls, services.wall, services.pdf}) {
  register_icons();
  setObjectName("FLoomworkeFirmWare");
  Timer_Update.setInterval(60000);
  Timer_Update.stop();

  L_SW_Code = make_label(this, "L_SW_Code", 16, 8);
  style_large_code(L_SW_Code);
  L_SW_Desc = make_label(this, "L_SW_Desc", 16, 42);
  style_bold_grey(L_SW_Desc);
  LL_Update = new LinkNotice(this);
  LL_Update->setObjectName("LL_Update");
  LL_Update->move(208, 19);
  connect(LL_Update, &QLabel::linkActivated, this,
          [this](const QString& link) { logic_.LL_UpdateLinkClick(s(link)); });
  connect(&Timer_Update, &QTimer::timeout, this, [this] { logic_.Timer_UpdateTimer(); });
  Btn_Info = make_icon_button(516, "Btn_Info", ":/icons/info.svg");
  Btn_Opz = make_icon_button(574, "Btn_Opz", ":/icons/options.svg");
  Btn_Close = make_icon_button(632, "Btn_Close", ":/icons/close.svg");

  L_Begin = make_label(this, "L_Begin", 16, 84);
  style_bold_grey(L_Begin);
  Shape2 = new QFrame(this);
  Shape2->setObjectName("Shape2");
  Shape2->setGeometry(80, 70, 348, 36);
  Shape2->setFrameShape(QFrame::Box);
  set_text_colour(Shape2, QColor(0xb8, 0xb8, 0xb8));
  L_Name_Conf = make_label(this, "L_Name_Conf", 87, 75);
  style_grey(L_Name_Conf);
  L_Name_Conf_L2 = make_label(this, "L_Name_Conf_L2", 87, 88);
  style_grey(L_Name_Conf_L2);
  for (int n = 1; n <= 8; ++n) {
    auto name = u"L_Step_%1"_s.arg(n).toStdString();
    L_Step[n - 1] = make_label(this, name.c_str(), 16, stepTop(n) + 16);
    style_bold_grey(L_Step[n - 1]);
    if (n > kStepCount) L_Step[n - 1]->hide();
  }
  Btn_New = make_step_button(80, stepTop(1), "Btn_New", ":/icons/new.svg");
  Btn_Open = make_step_button(258, stepTop(1), "Btn_Open", ":/icons/open.svg");
  // Beside open: another way to come to configurations, many at once.
  Btn_Sheet = make_step_button(436, stepTop(1), "Btn_Sheet", ":/icons/sheet.svg");
  Btn_Prm_Gen = make_step_button(80, stepTop(2), "Btn_Prm_Gen", ":/icons/comm.svg");
  Btn_DMX_Default = make_step_button(80, stepTop(3), "Btn_DMX_Default", ":/icons/dmx.svg");
  Btn_CreateBin = make_step_button(80, stepTop(4), "Btn_CreateBin", ":/icons/update.svg");
  // Beside step 4: the record of what it sends, to hand to the customer.
  Btn_Report = make_step_button(258, stepTop(4), "Btn_Report", ":/icons/report.svg");
  Btn_ModM_SetAccess = make_step_button(80, stepTop(5), "Btn_ModM_SetAccess", ":/icons/comm.svg");
  Btn_ModM_SetAccess->hide();

  L_Quorvex = new LinkLabel(q(kVendorHost), this);
  L_Quorvex->setObjectName("L_Quorvex");
  style_bold_grey(L_Quorvex);
  L_Quorvex->place({565, stepTop(kStepCount) + 16}, kClientWidth - 8);
  connect(L_Quorvex, &ClickableLabel::clicked, this, [this] { logic_.L_QuorvexClick(); });

  Shape1 = new QFrame(this);
  Shape1->setObjectName("Shape1");
  Shape1->setGeometry(10, kLastStepTop + 51, 674, 1);
  Shape1->setAutoFillBackground(true);
  QPalette line = Shape1->palette();
  line.setColor(QPalette::Window, QColor(0xb8, 0xb8, 0xb8));
  Shape1->setPalette(line);

  setFixedSize(kClientWidth, kClientHeight);
  // The work starts at step 1; the icon buttons come first only in creation.
  Btn_New->setFocus();
  logic_.set_view(this);
  logic_.FormCreate();
  qt_texts_.follow(catalogue.Texts_Language);
  setWindowTitle(q(kMain_Title));
  L_SW_Code->setText(q(kSW_Code));
  L_SW_Code->adjustSize();
  L_SW_Desc->setText(q(kSW_Desc));
  L_SW_Desc->adjustSize();
  text_rows_ = {{L_Begin, 0}};
  for (int n = 1; n <= 8; ++n)
    text_rows_.push_back({L_Step[n - 1], n});
  text_rows_.insert(text_rows_.end(), {{Btn_Info, text_id::kNone, 12},
                                       {Btn_Opz, text_id::kNone, 13},
                                       {Btn_Close, text_id::kNone, 14},
                                       {Btn_New, 15, 22},
                                       {Btn_Open, 16, 23},
                                       {Btn_Sheet, 219, 220},
                                       {Btn_CreateBin, 17, 26},
                                       {Btn_Report, text_id::kSheetButton, text_id::kSheetButtonHint},
                                       {Btn_Prm_Gen, 20, 24},
                                       {Btn_DMX_Default, 21, 25}});
  Set_Lang();
}

QPushButton* TFLoomworkeFirmWare::make_icon_button(int left, const char* name, const char* icon) {
  auto* b = new FocusButton(this);
  b->setObjectName(name);
  b->setGeometry(left, 8, 50, 50);
  b->setIcon(QIcon(QLatin1String(icon)));
  b->setIconSize(QSize(34, 34));
  b->setFlat(true);
  connect(b, &QPushButton::clicked, this, [this, b] { Btn_Click(b); });
  return b;
}

QPushButton* TFLoomworkeFirmWare::make_step_button(int left, int top, const char* name, const char* icon) {
  auto* b = new StepButton(this);
  b->setObjectName(name);
  b->setGeometry(left, top, 170, 36);
  b->setIcon(QIcon(QLatin1String(icon)));
  b->setIconSize(QSize(24, 24));
  connect(b, &QPushButton::clicked, this, [this, b] { Btn_Click(b); });
  return b;
}

void TFLoomworkeFirmWare::Set_Lang() {
  apply_texts(text_rows_, catalogue_);
  for (QLabel* l : L_Step)
    l->adjustSize();
  L_Begin->adjustSize();
}

void TFLoomworkeFirmWare::Change_Language() {
  qt_texts_.follow(catalogue_.Texts_Language);
  if (!windows_) { // only the main window exists yet
    Set_Lang();
    return;
  }
  for (Translatable* window : windows_->language_order())
    window->Set_Lang();
}

void TFLoomworkeFirmWare::Btn_Click(QObject* sender) {
  static const std::pair<QPushButton * TFLoomworkeFirmWare::*, MainButton> kButtons[] = {
      {&TFLoomworkeFirmWare::Btn_New, MainButton::New},
      {&TFLoomworkeFirmWare::Btn_Open, MainButton::Open},
      {&TFLoomworkeFirmWare::Btn_Sheet, MainButton::Sheet},
      {&TFLoomworkeFirmWare::Btn_Close, MainButton::Close},
      {&TFLoomworkeFirmWare::Btn_Info, MainButton::Info},
      {&TFLoomworkeFirmWare::Btn_Opz, MainButton::Options},
      {&TFLoomworkeFirmWare::Btn_Prm_Gen, MainButton::ParGen},
      {&TFLoomworkeFirmWare::Btn_DMX_Default, MainButton::DmxDefault},
      {&TFLoomworkeFirmWare::Btn_CreateBin, MainButton::CreateBin},
      {&TFLoomworkeFirmWare::Btn_Report, MainButton::Report},
  };
  for (const auto& [member, button] : kButtons) {
    if (sender == this->*member) {
      logic_.Btn_Click(button);
      return;
    }
  }
}

bool TFLoomworkeFirmWare::show_new_project() {
  return windows_ && windows_->FNew_Project->exec() == QDialog::Accepted;
}

std::optional<std::string> TFLoomworkeFirmWare::show_open_conf() {
  if (!windows_ || windows_->FOpenConf->exec() != QDialog::Accepted) return std::nullopt;
  return windows_->FOpenConf->Name_Conf();
}

void TFLoomworkeFirmWare::show_sheet_conf() {
  if (windows_) windows_->FSheetConf->exec();
}

void TFLoomworkeFirmWare::show_about() {
  if (windows_) windows_->FAbout->exec();
}

bool TFLoomworkeFirmWare::show_options() {
  return windows_ && windows_->FSoftOptions->exec() == QDialog::Accepted;
}

void TFLoomworkeFirmWare::show_update_link(bool visible, const std::string& text, const std::string& url) {
  LL_Update->show_link(text, url);
  LL_Update->adjustSize();
  LL_Update->setVisible(visible);
}
void TFLoomworkeFirmWare::show_par_gen() {
  if (windows_) windows_->FParGen2->exec();
}

void TFLoomworkeFirmWare::show_dmx_defaults() {
  if (windows_) windows_->FDMXDefVal->exec();
}
void TFLoomworkeFirmWare::show_boot() {
  if (windows_) windows_->FBoot->exec();
}

void TFLoomworkeFirmWare::save_commissioning_sheet() { sheet_.save_commissioning_sheet(); }

void TFLoomworkeFirmWare::close_main() { close(); }

void TFLoomworkeFirmWare::show_config_labels(const std::string& line1, const std::string& line2) {
  L_Name_Conf->setText(q(line1));
  L_Name_Conf_L2->setText(q(line2));
  L_Name_Conf->adjustSize();
  L_Name_Conf_L2->adjustSize();
}

void TFLoomworkeFirmWare::closeEvent(QCloseEvent* event) {
  logic_.FormClose();
  event->accept();
}

// A push button outside a dialog takes only Space; on the main window Enter
// presses the focused step or icon as well, as a keyboard user expects.
void TFLoomworkeFirmWare::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->window() == this) {
      button->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void TFLoomworkeFirmWare::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    QTimer::singleShot(0, this, [this] { logic_.Show_Startup_Problems(); });
    // The focus starts on step 1 and shows at once: Space or Enter right
    // after the start is seen to go there.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect area = screen->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
  }
  QWidget::showEvent(event);
}

} // namespace lw::ui
