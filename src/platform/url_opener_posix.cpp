#include "platform/url_opener.h"

#include "platform/process.h"

#include <spawn.h>

extern char** environ;

namespace lw {

bool DesktopUrlOpener::open(const std::string& url) {
  // The address is passed as one argument, never through a shell.
  std::string program = program_;
  char* argv[] = {program.data(), const_cast<char*>(url.c_str()), nullptr};
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) return false;
  // xdg-open may stay until the browser it started ends: the window never
  // waits for it, and it is reaped whenever it goes.
  reap_in_background(pid);
  return true;
}

} // namespace lw
