#pragma once

class QWidget;

namespace lw::ui {

// SIGTERM and SIGINT (on Windows, the end of the session at log-off or
// shutdown) close the window exactly as its close box does, so a logout or a
// kill still writes the settings. The signals are caught from the
// very start; the window is closed once it exists.
void catch_stop_signals();
void close_on_stop_signals(QWidget* window);

} // namespace lw::ui
