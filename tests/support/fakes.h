#pragma once
#include "app/ports.h"
#include "platform/url_opener.h"

#include <string>
#include <vector>

namespace lw::test {

// Records every message the logic would show.
class FakeMessages : public UserMessages {
public:
  struct Shown {
    std::string kind;
    std::string text;
  };
  void error(const std::string& text) override { shown.push_back({"error", text}); }
  void warning(const std::string& text) override { shown.push_back({"warning", text}); }
  bool confirm(const std::string& text) override {
    shown.push_back({"confirm", text});
    return answer_yes;
  }
  std::string last_text() const { return shown.empty() ? std::string() : shown.back().text; }
  std::vector<Shown> shown;
  bool answer_yes = true;
};

class FakeTimer : public UpdateTimer {
public:
  void start() override {
    running = true;
    ++starts;
  }
  void stop() override { running = false; }
  bool active() const override { return running; }
  void set_interval_ms(int ms) override { interval_ms = ms; }
  bool running = false;
  int starts = 0;
  int interval_ms = 60000;
};

class FakeUrlOpener : public UrlOpener {
public:
  bool open(const std::string& url) override {
    opened.push_back(url);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

} // namespace lw::test
