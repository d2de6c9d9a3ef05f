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
