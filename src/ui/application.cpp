#include "ui/application.h"

#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"

namespace lw::ui {

Application::Application(Services services, const std::string& exe_dir) {
  FLoomworkeFirmWare =
      std::make_unique<TFLoomworkeFirmWare>(state, services.messages, services.urls, exe_dir);
  QWidget* main = FLoomworkeFirmWare.get();
  FNew_Project = new TFNew_Project(state, services.messages, main);
  FOpenConf = new TFOpenConf(state, main);
  FAbout = new TFAbout(state, services.urls, main);
  Dialogs dialogs;
  dialogs.FNew_Project = FNew_Project;
  dialogs.FOpenConf = FOpenConf;
  dialogs.FAbout = FAbout;
  FLoomworkeFirmWare->attach(dialogs, {FNew_Project, FOpenConf});
}

Application::~Application() = default;

} // namespace lw::ui
