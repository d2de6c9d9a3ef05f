#include "ui/stop_signals.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#ifdef _WIN32
#include <QSessionManager>
#else
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lw::ui {

namespace {
// A modal dialog's loop would outlive the main window: end the dialogs
// first, then close the window once their loops have returned.
void close_in_order(QWidget* window) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->reject();
  }
  QTimer::singleShot(0, window, [window] { window->close(); });
}
} // namespace

#ifdef _WIN32
// Windows ends a program at log-off and shutdown through the session, which
// Qt reports; there are no stop signals to catch.
void catch_stop_signals() {}

void close_on_stop_signals(QWidget* window) {
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, window,
                   [window](QSessionManager&) { close_in_order(window); });
}
#else
namespace {
int g_pipe[2] = {-1, -1};

extern "C" void on_stop_signal(int) {
  char byte = 1;
  // Only async-signal-safe work here; the event loop does the rest.
  [[maybe_unused]] auto n = ::write(g_pipe[1], &byte, 1);
}
} // namespace

void catch_stop_signals() {
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction sa {};
  sa.sa_handler = on_stop_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &sa, nullptr);
  ::sigaction(SIGINT, &sa, nullptr);
}

void close_on_stop_signals(QWidget* window) {
  if (g_pipe[0] < 0) return;
  // A signal that came during the start waits in the pipe and is seen now.
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char buf[16];
    while (::read(g_pipe[0], buf, sizeof buf) > 0) {
    }
    close_in_order(window);
  });
}
#endif

} // namespace lw::ui
