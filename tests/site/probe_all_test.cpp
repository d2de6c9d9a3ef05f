#include "child_process.h"
#include "echo_network.h"
#include "private_network.h"
#include "site/probe_all.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lw {
namespace {

using Device = test::FakeNetwork::Device;
using namespace std::chrono_literals;

class ProbeAll : public testing::Test {
protected:
  ProbeAllResult probe(const std::vector<std::string>& addresses, std::size_t in_flight = kProbesInFlight) {
    return Probe_All(
        addresses, ports,
        [this](std::size_t index, const ProbeOutcome& outcome) {
          reported.emplace_back(index, outcome.result);
        },
        in_flight);
  }
  // Every address from first to first + count - 1 of 10.0.0.0/24.
  static std::vector<std::string> addresses(int first, int count) {
    std::vector<std::string> out;
    for (int i = first; i < first + count; ++i)
      out.push_back("10.0.0." + std::to_string(i));
    return out;
  }

  test::FakeNetwork network;
  test::SkippingClock clock;
  bool cancel = false;
  std::function<void()> between = [] {};
  ProbeAllPorts ports{[this] { return std::make_unique<test::NetworkEcho>(network); }, clock,
                      [this] { between(); }, [this] { return cancel; }};
  std::vector<std::pair<std::size_t, ProbeResult>> reported;
};

TEST_F(ProbeAll, EachAddressReportedOnceByTheProbesOwnRules) {
  network.set("10.0.0.1", Device::Answers);
  network.set("10.0.0.3", Device::NotPermitted);
  network.set("10.0.0.4", Device::SendFailed);
  struct Case {
    std::string address;
    ProbeResult result;
    std::optional<bool> reachable;
  };
  const Case cases[] = {
      {"10.0.0.1", ProbeResult::Answered, true},
      {"10.0.0.2", ProbeResult::Silent, false},
      {"10.0.0.3", ProbeResult::NotPermitted, std::nullopt},
      {"10.0.0.4", ProbeResult::SendFailed, std::nullopt},
      {"10.0.0", ProbeResult::UnusableAddress, std::nullopt},
      {"", ProbeResult::UnusableAddress, std::nullopt},
  };
  std::vector<std::string> asked;
  for (const Case& c : cases)
    asked.push_back(c.address);

  const ProbeAllResult result = probe(asked);
  EXPECT_FALSE(result.cancelled);
  ASSERT_EQ(result.outcomes.size(), std::size(cases));
  ASSERT_EQ(reported.size(), std::size(cases));
  std::vector<bool> seen(std::size(cases));
  for (const auto& [index, probe_result] : reported) {
    EXPECT_FALSE(seen[index]) << "reported twice: " << index;
    seen[index] = true;
    EXPECT_EQ(probe_result, cases[index].result) << cases[index].address;
  }
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    ASSERT_TRUE(result.outcomes[i]) << cases[i].address;
    EXPECT_EQ(result.outcomes[i]->result, cases[i].result) << cases[i].address;
    EXPECT_EQ(reachable(*result.outcomes[i]), cases[i].reachable) << cases[i].address;
  }
  EXPECT_EQ(result.outcomes[2]->system_text, "no ICMP for this user");
}

TEST_F(ProbeAll, AnswersAreReportedAsTheyCome) {
  network.set("10.0.0.1", Device::Held);
  network.set("10.0.0.2", Device::Answers);
  // The first is let go only once the second has been reported.
  const ProbeAllResult result =
      Probe_All({"10.0.0.1", "10.0.0.2"}, ports, [&](std::size_t index, const ProbeOutcome& outcome) {
        reported.emplace_back(index, outcome.result);
        network.release("10.0.0.1");
      });
  ASSERT_EQ(reported.size(), 2u);
  EXPECT_EQ(reported[0], std::pair(std::size_t{1}, ProbeResult::Answered));
  EXPECT_EQ(reported[1], std::pair(std::size_t{0}, ProbeResult::Answered));
  EXPECT_FALSE(result.cancelled);
}

TEST_F(ProbeAll, NoMoreInFlightThanTheBoundStartedInOrder) {
  const std::vector<std::string> asked = addresses(1, 10);
  for (const std::string& address : asked)
    network.set(address, Device::Held);
  int full = 0;
  between = [&] {
    // Once as many wait as may, they are let go and the rest follow.
    if (network.waiting() == 3 && ++full == 1) network.release_all();
  };
  const ProbeAllResult result = probe(asked, 3);
  // Looked at between answers, the full bound may be seen more than once
  // before the released probes move on; it must be seen at all.
  EXPECT_GE(full, 1) << "the bound was never reached";
  EXPECT_EQ(network.most_waiting(), 3);
  ASSERT_EQ(reported.size(), asked.size());
  for (const auto& outcome : result.outcomes)
    EXPECT_EQ(outcome->result, ProbeResult::Answered);
  // The first three were asked before any other.
  std::vector<std::string> first = network.asked();
  first.resize(3);
  std::sort(first.begin(), first.end());
  EXPECT_EQ(first, addresses(1, 3));
}

TEST_F(ProbeAll, CancelEndsTheProbesInFlightAndStartsNoOther) {
  const std::vector<std::string> asked = addresses(1, 10);
  for (const std::string& address : asked)
    network.set(address, Device::Held);
  between = [&] { cancel = cancel || network.waiting() == 4; };
  const auto start = std::chrono::steady_clock::now();
  const ProbeAllResult result = probe(asked, 4);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << "the held probes were never let go";
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(reported.empty());
  for (const auto& outcome : result.outcomes)
    EXPECT_FALSE(outcome);
  EXPECT_EQ(network.asked().size(), 4u);
  // Every probe ended before the call returned: none is left to touch what it held.
  EXPECT_EQ(network.waiting(), 0);
}

TEST_F(ProbeAll, AnswersBeforeCancelStandAndNoneAfter) {
  network.set("10.0.0.1", Device::Answers);
  network.set("10.0.0.2", Device::Held);
  network.set("10.0.0.3", Device::Held);
  const ProbeAllResult result =
      Probe_All({"10.0.0.1", "10.0.0.2", "10.0.0.3"}, ports, [&](std::size_t index, const ProbeOutcome& o) {
        reported.emplace_back(index, o.result);
        cancel = true;
      });
  EXPECT_TRUE(result.cancelled);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].first, 0u);
  EXPECT_TRUE(result.outcomes[0]);
  EXPECT_FALSE(result.outcomes[1]);
  EXPECT_FALSE(result.outcomes[2]);
}

TEST_F(ProbeAll, CancelledBeforeItStartsAsksNothing) {
  cancel = true;
  const ProbeAllResult result = probe(addresses(1, 5));
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(network.asked().empty());
  EXPECT_TRUE(reported.empty());
}

TEST_F(ProbeAll, NoAddressesNoProbe) {
  const ProbeAllResult result = probe({});
  EXPECT_FALSE(result.cancelled);
  EXPECT_TRUE(result.outcomes.empty());
  EXPECT_TRUE(network.asked().empty());
}

// The system's own echo, each probe on a socket of its own.
ProbeAllPorts system_ports(SteadyClock& clock) {
  return {[] { return std::make_unique<IcmpEchoClient>(); }, clock};
}

// One letter a probe: A answered, S silent, N not permitted, X anything else.
std::string letters(const ProbeAllResult& result) {
  std::string out;
  for (const auto& outcome : result.outcomes) {
    if (!outcome)
      out += '-';
    else if (outcome->result == ProbeResult::Answered)
      out += 'A';
    else if (outcome->result == ProbeResult::Silent)
      out += 'S';
    else if (outcome->result == ProbeResult::NotPermitted)
      out += 'N';
    else
      out += 'X';
  }
  return out;
}

TEST(ProbeAllSystem, LoopbackAddressesAllAnswer) {
  SteadyClock clock;
  std::vector<std::string> asked;
  for (int i = 1; i <= 8; ++i)
    asked.push_back("127.0.0." + std::to_string(i));
  const std::string got = letters(Probe_All(asked, system_ports(clock)));
  if (got.find('N') != std::string::npos) {
    GTEST_SKIP() << "this machine forbids ICMP sockets";
  }
  EXPECT_EQ(got, "AAAAAAAA");
}

// In a network of its own, the loopback answers and nothing else is there.
TEST(ProbeAllSystem, SomeAnswerSomeStaySilentAllAtOnce) {
  const std::vector<std::string> asked{"127.0.0.2", "10.9.9.1", "127.0.0.3", "10.9.9.2", "192.0.2.7"};
  const test::PrivateNetworkRun run = test::in_private_network([&] {
    SteadyClock clock;
    return letters(Probe_All(asked, system_ports(clock)));
  });
  if (run.unavailable) {
    GTEST_SKIP() << "no private network here: " << *run.unavailable;
  }
  if (run.output.find('N') != std::string::npos) {
    GTEST_SKIP() << "this machine forbids ICMP sockets";
  }
  EXPECT_EQ(run.output, "ASASS");
}

} // namespace
} // namespace lw
