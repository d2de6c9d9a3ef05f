#pragma once
#include <string>

namespace lw {

// How the logic talks to the user: the three kinds of message box.
class UserMessages {
public:
  virtual ~UserMessages() = default;
  virtual void error(const std::string& text) = 0;
  virtual void warning(const std::string& text) = 0;
  // Yes is true, No is false.
  virtual bool confirm(const std::string& text) = 0;
};

// The file dialogs. A filter is a list of "Name (*.ext)" entries joined
// with ";;". The answer is the chosen path, empty when the user cancelled.
class FilePicker {
public:
  struct Question {
    std::string title;
    std::string start; // a folder, or a path whose name is proposed
    std::string filter;
  };
  virtual ~FilePicker() = default;
  virtual std::string open_file(const Question& question) = 0;
  virtual std::string save_file(const Question& question) = 0;
};

// The main window's version-check timer.
class UpdateTimer {
public:
  virtual ~UpdateTimer() = default;
  virtual void start() = 0;
  virtual void stop() = 0;
  virtual bool active() const = 0;
  virtual void set_interval_ms(int ms) = 0;
};

} // namespace lw
