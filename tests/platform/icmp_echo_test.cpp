// ICMP echo against the real system: loopback answers, and a private network
// namespace whose loopback stays silent.
#include "platform/icmp_echo.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lw {
namespace {

constexpr std::array<std::uint8_t, 4> kLoopback{127, 0, 0, 1};

TEST(IcmpEcho, LoopbackAnswers) {
  IcmpEchoClient client;
  try {
    int idles = 0;
    auto reply = client.echo(kLoopback, 400, [&] {
      ++idles;
      return true;
    });
    ASSERT_TRUE(reply.has_value());
    EXPECT_GT(*reply, 0u);
    EXPECT_TRUE(client.echo(kLoopback, 400, {}).has_value());
  } catch (const EchoFailure& e) {
    if (e.kind == EchoFailure::Kind::NotPermitted)
      GTEST_SKIP() << "this machine forbids ICMP sockets: " << e.what();
    throw;
  }
}

// In a private network namespace whose loopback ignores echo requests.
TEST(IcmpEcho, SilentDeviceTimesOut) {
#ifdef _WIN32
  GTEST_SKIP() << "a silent device needs a private network namespace, which Windows has not";
#else
  int pipefd[2];
  ASSERT_EQ(::pipe(pipefd), 0);
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::close(pipefd[0]);
    auto report = [&](char code) {
      [[maybe_unused]] auto n = ::write(pipefd[1], &code, 1);
      ::_exit(0);
    };
    if (::unshare(CLONE_NEWNET) != 0) report('U');
    int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    ifreq ifr{};
    std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
    ifr.ifr_flags = IFF_UP | IFF_LOOPBACK | IFF_RUNNING;
    if (s < 0 || ::ioctl(s, SIOCSIFFLAGS, &ifr) != 0) report('L');
    std::ofstream("/proc/sys/net/ipv4/icmp_echo_ignore_all") << "1";
    if (!std::ofstream("/proc/sys/net/ipv4/icmp_echo_ignore_all")) report('S');
    try {
      IcmpEchoClient client;
      auto start = std::chrono::steady_clock::now();
      auto reply = client.echo(kLoopback, 400, {});
      auto took = std::chrono::steady_clock::now() - start;
      if (reply || took < std::chrono::milliseconds(390)) report('R');
      // Told to stop, the wait ends at that look, without a reply.
      int looks = 0;
      auto stopped = client.echo(kLoopback, 400, [&] { return ++looks < 3; });
      report(!stopped && looks == 3 ? 'T' : 'W');
    } catch (const EchoFailure&) {
      report('P');
    }
  }
  ::close(pipefd[1]);
  char code = 0;
  [[maybe_unused]] auto n = ::read(pipefd[0], &code, 1);
  ::close(pipefd[0]);
  ::waitpid(pid, nullptr, 0);
  if (code == 'U' || code == 'L' || code == 'S' || code == 'P')
    GTEST_SKIP() << "no private network namespace with a silent loopback here (step " << code << ")";
  EXPECT_NE(code, 'R') << "an echo request in the silent namespace got a reply";
  EXPECT_NE(code, 'W') << "the wait went on after it was told to stop";
  EXPECT_EQ(code, 'T');
#endif
}

} // namespace
} // namespace lw
