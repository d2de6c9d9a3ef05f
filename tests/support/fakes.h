#pragma once
#include "core/ports.h"
#include "formats/errors.h"
#include "platform/appender.h"
#include "platform/clock.h"
#include "platform/http.h"
#include "platform/icmp_echo.h"
#include "platform/pdf.h"
#include "platform/process.h"
#include "platform/url_opener.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

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

// Answers every file dialog with `answer` and records the questions.
class FakeFilePicker : public FilePicker {
public:
  std::string open_file(const Question& question) override { return ask(question); }
  std::string save_file(const Question& question) override { return ask(question); }
  std::string answer;
  std::vector<Question> asked;

private:
  std::string ask(const Question& question) {
    asked.push_back(question);
    return answer;
  }
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

// HTTP replies from a script; records the addresses asked for.
class FakeHttp : public HttpClient {
public:
  std::optional<std::string> get(const std::string& url) override {
    urls.push_back(url);
    return reply;
  }
  std::optional<std::string> reply; // nullopt: the request failed
  std::vector<std::string> urls;
};

// Time that moves only when the code sleeps, or by hand.
class FakeClock : public Clock {
public:
  std::uint64_t tick_ms() override { return now; }
  void sleep_ms(int ms) override {
    now += static_cast<std::uint64_t>(ms);
    slept_ms += ms;
  }
  std::uint64_t now = 1000000;
  int slept_ms = 0;
};

// A calendar time that stays where it is set.
class FakeWallClock : public WallClock {
public:
  LocalTime local_now() override { return now; }
  LocalTime now{2026, 3, 1, 14, 5, 9, 42, 60};
};

// Keeps the documents it is asked to lay out and answers with their title,
// or fails as a renderer that can't lay a page out would.
class FakePdfRenderer : public PdfRenderer {
public:
  std::string render(const doc::Document& document) override {
    rendered.push_back(document);
    if (failure) throw FileError(*failure);
    return "%PDF " + document.title;
  }
  std::vector<doc::Document> rendered;
  std::optional<std::string> failure;
};

// Appends to the real file, or fails as a full or read-only disk would;
// records every line asked for either way.
class FakeAppender : public LineAppender {
public:
  void append_line(const std::string& path, std::string_view header, std::string_view line) override {
    asked.push_back({path, std::string(line)});
    if (fail) throw FileError("Cannot write " + path + ": Read-only file system");
    file.append_line(path, header, line);
  }
  struct Asked {
    std::string path;
    std::string line;
  };
  std::vector<Asked> asked;
  bool fail = false;

private:
  FileAppender file;
};

// Echo replies from a script: each entry is the reply's data size, nullopt
// for a time-out (which costs the request's time-out on the clock), or a
// failure to throw. The wait asks keep_waiting every 10 ms of the clock, as
// the real client does, and ends without a reply when it says no.
class ScriptedEcho : public EchoClient {
public:
  struct Step {
    std::optional<std::size_t> reply;
    std::optional<EchoFailure> failure = std::nullopt;
  };
  explicit ScriptedEcho(FakeClock& clock) : clock_(clock) {}
  std::optional<std::size_t> echo(const std::array<std::uint8_t, 4>& address, int timeout_ms,
                                  const std::function<bool()>& keep_waiting) override {
    addresses.push_back(address);
    Step step = script.empty() ? fallback : script.front();
    if (!script.empty()) script.pop_front();
    if (step.failure) throw *step.failure;
    const std::uint64_t wait = step.reply ? round_trip_ms : static_cast<std::uint64_t>(timeout_ms);
    for (std::uint64_t waited = 0; waited < wait;) {
      if (keep_waiting && !keep_waiting()) return std::nullopt;
      std::uint64_t slice = std::min<std::uint64_t>(kSliceMs, wait - waited);
      clock_.now += slice;
      waited += slice;
    }
    return step.reply;
  }
  std::deque<Step> script;
  Step fallback{std::nullopt};
  std::uint64_t round_trip_ms = 1;
  std::vector<std::array<std::uint8_t, 4>> addresses;

private:
  static constexpr std::uint64_t kSliceMs = 10;
  FakeClock& clock_;
};

// A launcher whose processes end after a given time on the fake clock.
class FakeLauncher : public ProcessLauncher {
public:
  explicit FakeLauncher(FakeClock& clock) : clock_(clock) {}
  std::unique_ptr<RunningProcess> launch(const std::string& program) override {
    launched.push_back(program);
    if (fail) throw FileError("Cannot start " + program + ": No such file or directory");
    struct Process : RunningProcess {
      FakeClock& clock;
      std::uint64_t end;
      int code;
      Process(FakeClock& c, std::uint64_t e, int x) : clock(c), end(e), code(x) {}
      std::optional<int> ended() override {
        if (clock.now >= end) return code;
        return std::nullopt;
      }
    };
    return std::make_unique<Process>(clock_, clock_.now + runs_ms, exit_code);
  }
  std::vector<std::string> launched;
  std::uint64_t runs_ms = 0;
  int exit_code = 0;
  bool fail = false;

private:
  FakeClock& clock_;
};

} // namespace lw::test
