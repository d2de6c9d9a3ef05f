#include "platform/process.h"

#include "formats/errors.h"
#include "platform/files.h"

#include <csignal>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace lw {

// The reaper is born with every signal blocked, so a stop signal always
// reaches the thread that knows how to honour it (and that holds it back
// while a file is being renamed into place).
void reap_in_background(int pid) {
  sigset_t all, previous;
  sigfillset(&all);
  ::pthread_sigmask(SIG_BLOCK, &all, &previous);
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

namespace {
class PosixProcess : public RunningProcess {
public:
  explicit PosixProcess(pid_t pid) : pid_(pid) {}
  ~PosixProcess() override {
    // A program still running when nobody waits for it any longer is reaped
    // when it ends, so it never lingers as a zombie.
    if (!status_) reap_in_background(pid_);
  }
  std::optional<int> ended() override {
    if (status_) return status_;
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_)
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    else if (r < 0)
      status_ = -1; // no longer ours to watch: it has ended
    return status_;
  }

private:
  pid_t pid_;
  std::optional<int> status_;
};
} // namespace

std::unique_ptr<RunningProcess> SystemLauncher::launch(const std::string& program) {
  std::string name = program;
  char* argv[] = {name.data(), nullptr};
  pid_t pid = 0;
  int rc = ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ);
  if (rc != 0) throw FileError("Cannot start " + program + ": " + fs::system_error_text(rc));
  return std::make_unique<PosixProcess>(pid);
}

} // namespace lw
