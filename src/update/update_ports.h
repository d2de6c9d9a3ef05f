#pragma once
#include "update/outcome.h"

#include <functional>

namespace lw {

class EchoClient;
class Clock;
class ProcessLauncher;

inline constexpr int kEchoTimeoutMs = 400;
inline constexpr int kProbeLimitMs = 5000;
inline constexpr int kUpdaterWaitLimitMs = 150000;
inline constexpr int kUpdaterPollMs = 10;

// The side effects of a device update, handed in so tests can fake them.
struct UpdatePorts {
  EchoClient& echo;
  Clock& clock;
  ProcessLauncher& launcher;
  std::function<void()> process_events;                         // during the probe: everything
  std::function<void()> repaint_only;                           // during the updater's run: no user input
  std::function<void(bool)> busy = [](bool) {};                 // the wait cursor around the updater's run
  std::function<void(UpdateStep)> progress = [](UpdateStep) {}; // each point the sequence passes
  std::function<bool()> cancelled = [] { return false; };       // the user stopped the probe
};

} // namespace lw
