// Starts like the configurator does, up to its main window shown with every
// window created, then ends. With "bare" it shows a bare Qt main window of
// the same size with one line of text instead: the floor of any Qt program
// that shows text (loading the fonts is most of a window's start).
#include "core/identity.h"
#include "platform/files.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/system_services.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
  bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
  QApplication app(argc, argv);
  if (bare) {
    QMainWindow window;
    window.setWindowTitle(u"SW40873"_s);
    window.setCentralWidget(new QLabel(u"SW40873"_s));
    window.resize(694, 396);
    window.show();
    QApplication::processEvents();
    return 0;
  }
  lw::ui::SystemServices system;
  lw::ui::Application loomwork(system.services("http://127.0.0.1:9"), lw::fs::executable_dir());
  loomwork.FLoomworkeFirmWare->show();
  QApplication::processEvents();
  return 0;
}
