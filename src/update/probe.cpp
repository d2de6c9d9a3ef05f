#include "update/probe.h"

#include "params/ip_address.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"

namespace lw {

ProbeOutcome Send_Ping(const UpdatePorts& ports, const std::string& address) {
  auto target = usable_address(address);
  if (!target) return {ProbeResult::UnusableAddress, {}};
  const std::uint64_t t_start = ports.clock.tick_ms();
  bool asked = false, answered = false;
  int replies = 0;
  auto stopped = [&ports] { return ports.cancelled && ports.cancelled(); };
  auto keep_waiting = [&] {
    if (ports.process_events) ports.process_events();
    return !stopped();
  };
  try {
    for (;;) {
      if (stopped()) return {ProbeResult::Cancelled, {}};
      auto reply = ports.echo.echo(*target, kEchoTimeoutMs, keep_waiting);
      // A stop inside the wait outranks whatever the request brought.
      if (stopped()) return {ProbeResult::Cancelled, {}};
      asked = true;
      answered = reply && *reply > 0;
      if (answered && ++replies >= 2) break;
      if (ports.clock.tick_ms() - t_start > static_cast<std::uint64_t>(kProbeLimitMs)) break;
    }
  } catch (const EchoFailure& e) {
    if (e.kind == EchoFailure::Kind::NotPermitted) return {ProbeResult::NotPermitted, e.what()};
    return {asked && !answered ? ProbeResult::Silent : ProbeResult::SendFailed, e.what()};
  }
  return {answered ? ProbeResult::Answered : ProbeResult::Silent, {}};
}

} // namespace lw
