#pragma once
#include "core/ports.h"
#include "options/settings_file.h"

#include <optional>
#include <string>
#include <vector>

namespace lw {

struct ProgramFolders;
struct Settings;
struct OpenConfiguration;
struct Catalogue;
class UrlOpener;
class HttpClient;

enum class MainButton { New, Open, Sheet, Close, Info, Options, ParGen, DmxDefault, CreateBin, Report };

// What the main window's logic asks of its view: the dialogs it opens and the
// few things it shows. The Qt window implements it; tests fake it.
class MainWindowView {
public:
  virtual ~MainWindowView() = default;
  virtual bool show_new_project() = 0; // true: closed with OK
  // The dialog's Name_Conf when it closed with OK.
  virtual std::optional<std::string> show_open_conf() = 0;
  // The dialog that makes configurations from a site sheet.
  virtual void show_sheet_conf() = 0;
  virtual void show_about() = 0;
  virtual bool show_options() = 0;
  virtual void show_par_gen() = 0;
  virtual void show_dmx_defaults() = 0;
  // The Update Device dialog, in its Ethernet mode.
  virtual void show_boot() = 0;
  // The open configuration's commissioning sheet, written where the user says.
  virtual void save_commissioning_sheet() = 0;
  virtual void close_main() = 0;
  virtual void show_config_labels(const std::string& line1, const std::string& line2) = 0;
  // The new-version notice: shown with its link, or hidden.
  virtual void show_update_link(bool visible, const std::string& text, const std::string& url) = 0;
};

class MainWindowLogic {
public:
  // The start-up fills the settings, the open configuration and the
  // catalogue, which the other windows share.
  MainWindowLogic(const ProgramFolders& folders, Settings& settings, OpenConfiguration& conf,
                  Catalogue& catalogue, UserMessages& messages, UpdateTimer& timer, UrlOpener& urls,
                  HttpClient& http, std::string server)
      : folders_(folders), settings_(settings), conf_(conf), catalogue_(catalogue), messages_(messages),
        timer_(timer), urls_(urls), http_(http), server_(std::move(server)) {}

  void set_view(MainWindowView* view) { view_ = view; }

  // The start-up of the window's creation, ending with the labels shown.
  void FormCreate();
  // The start-up's warnings, once, when the window is on screen and the
  // program can answer a stop signal while a warning waits for OK.
  void Show_Startup_Problems();
  // Writes the settings; a failure is shown and the close goes on.
  void FormClose();

  void Btn_Click(MainButton button);
  void Create_New_Project();
  void Open_Project();
  void L_QuorvexClick();
  // The version check's tick: stopped for the check, then every two hours.
  void Timer_UpdateTimer();
  void LL_UpdateLinkClick(const std::string& link);
  // Step 4: compile and write the image, then the Update Device dialog. A
  // failure is shown and the dialog stays closed, so no stale image is sent.
  void Update_Device();

  // The configuration labels as last set (they keep the language they were
  // composed in until the next create, open or start).
  const std::string& label_conf() const { return label_conf_; }
  const std::string& label_conf_l2() const { return label_conf_l2_; }

private:
  void show_labels();
  // Writes the settings; a failure is shown.
  void save_settings();

  const ProgramFolders& folders_;
  Settings& settings_;
  OpenConfiguration& conf_;
  Catalogue& catalogue_;
  SettingsFile settings_file_;
  UserMessages& messages_;
  UpdateTimer& timer_;
  UrlOpener& urls_;
  HttpClient& http_;
  std::string server_;
  MainWindowView* view_ = nullptr;
  std::vector<std::string> startup_problems_;
  std::string label_conf_;
  std::string label_conf_l2_;
};

} // namespace lw
