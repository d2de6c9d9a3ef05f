#include "ui/application.h"

#include "ui/about_window.h"
#include "ui/boot_dialog.h"
#include "ui/dmx_editor.h"
#include "ui/main_window.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"

#include "ui/par_gen_editor.h"
#include "ui/soft_options_dialog.h"
#include <QApplication>

namespace lw::ui {

Application::Application(Services services, const std::string& exe_dir) {
  FLoomworkeFirmWare = std::make_unique<TFLoomworkeFirmWare>(state, services, exe_dir);
  QWidget* main = FLoomworkeFirmWare.get();
  FNew_Project = new TFNew_Project(state, services.messages, main);
  FOpenConf = new TFOpenConf(state, main);
  FAbout = new TFAbout(state, services.urls, main);
  FSoftOptions = new TFSoftOptions(
      state, services, FLoomworkeFirmWare->timer(), [this] { FLoomworkeFirmWare->Change_Language(); }, main);
  FDMXDefVal = new TFDMXDefVal(state, services.messages, main);
  UpdatePorts ports{services.echo,
                    services.clock,
                    services.launcher,
                    [] { QCoreApplication::processEvents(); },
                    [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); },
                    [](bool busy) {
                      if (busy)
                        QApplication::setOverrideCursor(Qt::WaitCursor);
                      else
                        QApplication::restoreOverrideCursor();
                    }};
  FBoot = new TFBoot(state, services.messages, std::move(ports), main);
  FParGen2 = new TFParGen2(state, services.messages, main);
  Dialogs dialogs;
  dialogs.FNew_Project = FNew_Project;
  dialogs.FOpenConf = FOpenConf;
  dialogs.FAbout = FAbout;
  dialogs.FDMXDefVal = FDMXDefVal;
  dialogs.FParGen2 = FParGen2;
  dialogs.FBoot = FBoot;
  dialogs.FSoftOptions = FSoftOptions;
  FLoomworkeFirmWare->attach(dialogs, {FNew_Project, FOpenConf, FSoftOptions, FDMXDefVal, FParGen2});
}

Application::~Application() = default;

} // namespace lw::ui
