#pragma once
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lw::test {

#ifndef _WIN32
// A child process started with extra environment entries ("NAME=value").
class Child {
public:
  Child(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
        const std::vector<std::string>& env);
  ~Child();
  int pid() const { return pid_; }
  void signal(int sig);
  // Exit status once it ended within the time, nullopt otherwise.
  std::optional<int> wait_for(std::chrono::milliseconds limit);

private:
  int pid_ = -1;
  bool reaped_ = false;
};
#endif

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds limit);

} // namespace lw::test
