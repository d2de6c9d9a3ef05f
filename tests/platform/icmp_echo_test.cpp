// ICMP echo against the real system: loopback answers, and a private network
// namespace whose loopback stays silent.
#include "platform/icmp_echo.h"
#include "private_network.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>

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
  const test::PrivateNetworkRun run = test::in_private_network(
      [] {
        try {
          IcmpEchoClient client;
          auto start = std::chrono::steady_clock::now();
          auto reply = client.echo(kLoopback, 400, {});
          auto took = std::chrono::steady_clock::now() - start;
          if (reply || took < std::chrono::milliseconds(390)) return std::string("R");
          // Told to stop, the wait ends at that look, without a reply.
          int looks = 0;
          auto stopped = client.echo(kLoopback, 400, [&] { return ++looks < 3; });
          return std::string(!stopped && looks == 3 ? "T" : "W");
        } catch (const EchoFailure& e) {
          return "P" + std::string(e.what());
        }
      },
      true);
  if (run.unavailable) {
    GTEST_SKIP() << "no private network namespace with a silent loopback here: " << *run.unavailable;
  }
  if (run.output.starts_with("P")) {
    GTEST_SKIP() << "this machine forbids ICMP sockets: " << run.output.substr(1);
  }
  EXPECT_NE(run.output, "R") << "an echo request in the silent namespace got a reply";
  EXPECT_NE(run.output, "W") << "the wait went on after it was told to stop";
  EXPECT_EQ(run.output, "T");
}

} // namespace
} // namespace lw
