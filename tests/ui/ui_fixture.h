#pragma once
#include "fakes.h"
#include "program_folder.h"
#include "temp_dir.h"
#include "ui/application.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

namespace lw::test {

// The program's windows over a fresh folder, with fake message boxes and
// web address handler.
struct UiFixture {
  explicit UiFixture(const std::function<void(const TempDir&)>& prepare = {}) {
    if (prepare) prepare(dir);
    app = std::make_unique<ui::Application>(ui::Services{messages, urls, echo, clock, launcher, http, files,
                                                         wall, log, &pdf, "http://127.0.0.1:9"},
                                            dir.path());
  }
  void open_configuration(const std::string& name) { app->conf = made_configuration(app->folders, name); }
  TempDir dir;
  FakeMessages messages;
  FakeUrlOpener urls;
  FakeClock clock;
  ScriptedEcho echo{clock};
  FakeLauncher launcher{clock};
  FakeHttp http;
  FakeFilePicker files;
  FakeWallClock wall;
  FakeAppender log;
  QtPdfRenderer pdf;
  std::unique_ptr<ui::Application> app;
};

// Runs action on the modal dialog that opens next, once it is shown.
inline void when_modal_opens(const std::function<void(QWidget*)>& action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
      poll->stop();
      poll->deleteLater();
      action(modal);
    }
  });
  poll->start(10);
}

} // namespace lw::test
