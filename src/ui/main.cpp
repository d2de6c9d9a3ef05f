#include "options/version_check.h"
#include "platform/files.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/stop_signals.h"
#include "ui/system_services.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {
bool display_available() {
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}
} // namespace

int main(int argc, char** argv) {
  if (!display_available()) {
    std::fprintf(stderr, "loomwork: no display to open the window on (DISPLAY is not set).\n"
                         "Start it from a desktop session, or without a screen: xvfb-run make run\n");
    return 1;
  }
  lw::ui::catch_stop_signals();
  QApplication app(argc, argv);
  lw::ui::SystemServices system;
  lw::ui::Application loomwork(system.services(lw::kVendorServer), lw::fs::executable_dir());
  lw::ui::close_on_stop_signals(loomwork.FLoomworkeFirmWare.get());
  loomwork.FLoomworkeFirmWare->show();
  return app.exec();
}
