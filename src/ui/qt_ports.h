#pragma once
#include "core/ports.h"

#include <QTimer>

class QWidget;

namespace lw::ui {

// Message boxes over whichever window is in front.
class MessageBoxes : public UserMessages {
public:
  void error(const std::string& text) override;
  void warning(const std::string& text) override;
  bool confirm(const std::string& text) override;
};

// Qt's file dialogs, over the window in front.
class FileDialogs : public FilePicker {
public:
  std::string open_file(const Question& question) override;
  std::string save_file(const Question& question) override;
};

class QtUpdateTimer : public UpdateTimer {
public:
  explicit QtUpdateTimer(QTimer& timer) : timer_(timer) {}
  void start() override { timer_.start(); }
  void stop() override { timer_.stop(); }
  bool active() const override { return timer_.isActive(); }
  void set_interval_ms(int ms) override { timer_.setInterval(ms); }

private:
  QTimer& timer_;
};

} // namespace lw::ui
