#include "private_network.h"

#ifndef _WIN32
#include <cstring>
#include <exception>
#include <fstream>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lw::test {

#ifdef _WIN32
PrivateNetworkRun in_private_network(const std::function<std::string()>&, bool) {
  return {{}, "a private network namespace is Linux's; Windows has none"};
}
#else
namespace {
// The child's first byte says how far it got.
constexpr char kRan = 'K';

void send_all(int fd, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + sent, bytes.size() - sent);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

[[noreturn]] void child(int fd, const std::function<std::string()>& body, bool silent_loopback) {
  auto stop = [fd](const std::string& why) {
    send_all(fd, why);
    ::_exit(0);
  };
  if (::unshare(CLONE_NEWNET) != 0) stop(std::string("unshare: ") + std::strerror(errno));
  int s = ::socket(AF_INET, SOCK_DGRAM, 0);
  ifreq ifr{};
  std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
  ifr.ifr_flags = IFF_UP | IFF_LOOPBACK | IFF_RUNNING;
  if (s < 0 || ::ioctl(s, SIOCSIFFLAGS, &ifr) != 0) stop(std::string("loopback up: ") + std::strerror(errno));
  ::close(s);
  if (silent_loopback) {
    std::ofstream("/proc/sys/net/ipv4/icmp_echo_ignore_all") << "1";
    if (!std::ofstream("/proc/sys/net/ipv4/icmp_echo_ignore_all")) stop("the loopback can't be made silent");
  }
  std::string output;
  try {
    output = body();
  } catch (const std::exception& e) {
    output = std::string("thrown: ") + e.what();
  }
  send_all(fd, kRan + output);
  ::_exit(0);
}
} // namespace

PrivateNetworkRun in_private_network(const std::function<std::string()>& body, bool silent_loopback) {
  int fds[2];
  if (::pipe(fds) != 0) return {{}, "no pipe"};
  pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return {{}, "no fork"};
  }
  if (pid == 0) {
    ::close(fds[0]);
    child(fds[1], body, silent_loopback);
  }
  ::close(fds[1]);
  std::string said;
  char buf[4096];
  for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
    said.append(buf, static_cast<std::size_t>(n));
  ::close(fds[0]);
  ::waitpid(pid, nullptr, 0);
  if (said.empty() || said[0] != kRan) return {{}, said.empty() ? "the child said nothing" : said};
  return {said.substr(1), std::nullopt};
}
#endif

} // namespace lw::test
