#pragma once
#include "update/probe.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lw {

class Clock;
class EchoClient;

// What probing many devices at once needs. Each probe in flight has an echo
// client of its own, since a client waits for one reply at a time; they all
// read the one clock at once, so it must allow that (SteadyClock does).
struct ProbeAllPorts {
  std::function<std::unique_ptr<EchoClient>()> make_echo;
  Clock& clock;
  std::function<void()> process_events = [] {};           // on the calling thread, between answers
  std::function<bool()> cancelled = [] { return false; }; // asked on the calling thread
};

// A whole subnet of devices at once, so a site on one network takes one
// probe's time even when none answers.
inline constexpr std::size_t kProbesInFlight = 256;

struct ProbeAllResult {
  // By address: how its probe ended, nullopt when Cancel came before it did.
  std::vector<std::optional<ProbeOutcome>> outcomes;
  bool cancelled = false;
};

// Whether a probe found the device: true when it answered, false when it
// stayed silent, nullopt when it could not be probed at all.
std::optional<bool> reachable(const ProbeOutcome& outcome);

// Probes every address at once, at most `in_flight` at a time, each by the
// probe's own rules (Send_Ping), started in the order given. `answered` is
// called on the calling thread for each address as its probe ends, in the
// order they end. Once `cancelled` says so, no probe starts, those running
// end at their next look (an echo client looks every 10 ms), none is
// reported any more, and the call returns when they have ended.
ProbeAllResult Probe_All(const std::vector<std::string>& addresses, const ProbeAllPorts& ports,
                         const std::function<void(std::size_t index, const ProbeOutcome&)>& answered = {},
                         std::size_t in_flight = kProbesInFlight);

} // namespace lw
