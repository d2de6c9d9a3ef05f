#pragma once
#include "ui/link_label.h"
#include "ui/qt_ports.h"
#include "ui/qt_translations.h"
#include "ui/translatable.h"
#include "window_logic/commissioning_sheet_logic.h"
#include "window_logic/main_window.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QFrame;

namespace lw::ui {

class Application;
struct Services;

class TFLoomworkeFirmWare : public QWidget, public Translatable, public MainWindowView {
  Q_OBJECT
public:
  // Its creation runs the start-up, which fills the settings, the open
  // configuration and the catalogue.
  TFLoomworkeFirmWare(const ProgramFolders& folders, Settings& settings, OpenConfiguration& conf,
                      Catalogue& catalogue, const Services& services);
  UpdateTimer& timer() { return timer_port_; }

  // The program's windows, which the main window opens and whose texts
  // follow its language changes.
  void attach(const Application& windows) { windows_ = &windows; }
  void Set_Lang() override;
  void Change_Language();
  void Btn_Click(QObject* sender);
  MainWindowLogic& logic() { return logic_; }

  // MainWindowView
  bool show_new_project() override;
  std::optional<std::string> show_open_conf() override;
  void show_sheet_conf() override;
  void show_about() override;
  bool show_options() override;
  void show_par_gen() override;
  void show_dmx_defaults() override;
  void show_boot() override;
  void save_commissioning_sheet() override;
  void close_main() override;
  void show_config_labels(const std::string& line1, const std::string& line2) override;
  void show_update_link(bool visible, const std::string& text, const std::string& url) override;

  QLabel* L_SW_Code;
  QLabel* L_SW_Desc;
  LinkNotice* LL_Update;
  QPushButton* Btn_Info;
  QPushButton* Btn_Opz;
  QPushButton* Btn_Close;
  QLabel* L_Begin;
  QFrame* Shape2;
  QLabel* L_Name_Conf;
  QLabel* L_Name_Conf_L2;
  QLabel* L_Step[8];
  QPushButton* Btn_New;
  QPushButton* Btn_Open;
  QPushButton* Btn_Sheet;
  QPushButton* Btn_Prm_Gen;
  QPushButton* Btn_DMX_Default;
  QPushButton* Btn_CreateBin;
  QPushButton* Btn_Report;
  QPushButton* Btn_ModM_SetAccess;
  LinkLabel* L_Quorvex;
  QFrame* Shape1;
  QTimer Timer_Update;

protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QPushButton* make_step_button(int left, int top, const char* name, const char* icon);
  QPushButton* make_icon_button(int left, const char* name, const char* icon);

  const Catalogue& catalogue_;
  QtTranslations qt_texts_;
  QtUpdateTimer timer_port_;
  MainWindowLogic logic_;
  CommissioningSheetLogic sheet_;
  const Application* windows_ = nullptr;
  bool centred_ = false;
};

} // namespace lw::ui
