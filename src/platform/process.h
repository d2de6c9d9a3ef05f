#pragma once
#include <memory>
#include <optional>
#include <string>

namespace lw {

// A program started by the configurator, watched until it ends.
class RunningProcess {
public:
  virtual ~RunningProcess() = default;
  // The exit status once the system reports the process ended; nullopt while
  // it runs. Any exit code ends it, whatever its value.
  virtual std::optional<int> ended() = 0;
};

class ProcessLauncher {
public:
  virtual ~ProcessLauncher() = default;
  // Starts the program with no arguments in the configurator's own working
  // folder. Throws FileError with the system's text when it can't start.
  virtual std::unique_ptr<RunningProcess> launch(const std::string& program) = 0;
};

#ifndef _WIN32
// Waits for the child in a thread of its own, so it never lingers as a zombie
// once it ends, however long it runs.
void reap_in_background(int pid);
#endif

// The system's own start of a program: posix_spawn on Linux; on Windows
// CreateProcessW with an empty argument text, or, for a program that asks
// for elevation, the shell's "runas", which shows the system's prompt.
class SystemLauncher : public ProcessLauncher {
public:
  std::unique_ptr<RunningProcess> launch(const std::string& program) override;
};

} // namespace lw
