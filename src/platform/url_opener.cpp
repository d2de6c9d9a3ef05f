#include "platform/url_opener.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace lw {

bool DesktopUrlOpener::open(const std::string& url) {
  // The address is passed as one argument, never through a shell.
  std::string program = "xdg-open";
  char* argv[] = {program.data(), const_cast<char*>(url.c_str()), nullptr};
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) return false;
  // xdg-open hands the address on and ends quickly; reap it so no zombie stays.
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace lw
