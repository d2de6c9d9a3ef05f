#include "ui/application.h"

#include "ui/about_window.h"
#include "ui/boot_dialog.h"
#include "ui/dmx_editor.h"
#include "ui/duplicate_conf_dialog.h"
#include "ui/main_window.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"
#include "ui/par_gen_editor.h"
#include "ui/plain_text.h"
#include "ui/sheet_conf_dialog.h"
#include "ui/soft_options_dialog.h"
#include <QApplication>
#include <type_traits>

namespace lw::ui {

template <class W> W* Application::add(W* window, LanguageChange language) {
  Translatable* texts = nullptr;
  if constexpr (std::is_base_of_v<Translatable, W>) texts = window;
  windows_.push_back({window, texts, language});
  labels_as_plain_text(window);
  return window;
}

std::vector<Translatable*> Application::language_order() const {
  std::vector<Translatable*> order;
  for (const Window& w : windows_)
    if (w.language == LanguageChange::Reapplies) order.push_back(w.texts);
  return order;
}

Application::Application(Services services, const std::string& exe_dir) : folders(program_folders(exe_dir)) {
  constexpr auto kReapplies = LanguageChange::Reapplies;
  constexpr auto kSkips = LanguageChange::Skips;
  FLoomworkeFirmWare = std::make_unique<TFLoomworkeFirmWare>(folders, settings, conf, catalogue, services);
  QWidget* main = add(FLoomworkeFirmWare.get(), kReapplies);
  FNew_Project =
      add(new TFNew_Project(folders, conf, catalogue, services.messages, services.files, main), kReapplies);
  FOpenConf =
      add(new TFOpenConf(folders, conf, catalogue, services.messages, services.files, main), kReapplies);
  FDuplicateConf = add(FOpenConf->FDuplicateConf, kReapplies);
  FSheetConf =
      add(new TFSheetConf(folders, conf, catalogue, services.messages, services.files, main), kReapplies);
  FAbout = add(new TFAbout(catalogue, services.urls, main), kSkips);
  FSoftOptions = add(new TFSoftOptions(
                         folders, settings, catalogue, services, FLoomworkeFirmWare->timer(),
                         [this] { FLoomworkeFirmWare->Change_Language(); }, main),
                     kReapplies);
  FDMXDefVal = add(new TFDMXDefVal(conf, catalogue, services.messages, services.files, main), kReapplies);
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
  FBoot = add(new TFBoot(folders, settings, conf, catalogue, services.messages, std::move(ports),
                         {services.wall, services.log}, main),
              kSkips);
  FParGen2 = add(new TFParGen2(folders, conf, catalogue, services.messages, main), kReapplies);
  FLoomworkeFirmWare->attach(*this);
}

Application::~Application() = default;

} // namespace lw::ui
