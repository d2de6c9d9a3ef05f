#pragma once
#include "image/descriptor.h"
#include "update/ip_address.h"

#include <functional>
#include <optional>
#include <string>

namespace lw {

struct AppState;
class UserMessages;
class EchoClient;
class Clock;
class ProcessLauncher;

inline constexpr int kEchoTimeoutMs = 400;
inline constexpr int kProbeLimitMs = 5000;
inline constexpr int kProbePauseMs = 10;
inline constexpr int kUpdaterWaitLimitMs = 150000;
inline constexpr int kUpdaterPollMs = 10;

// The side effects of a device update, handed in so tests can fake them.
struct UpdatePorts {
  EchoClient& echo;
  Clock& clock;
  ProcessLauncher& launcher;
  std::function<void()> process_events;         // during the probe: everything
  std::function<void()> repaint_only;           // during the updater's run: no user input
  std::function<void(bool)> busy = [](bool) {}; // the wait cursor around the updater's run
};

// What the Update Device dialog decides.
class BootLogic {
public:
  BootLogic(AppState& state, UserMessages& messages, UpdatePorts ports)
      : state_(state), messages_(messages), ports_(std::move(ports)) {}

  // The address fields to pre-fill, when Last_IP_Address splits.
  std::optional<OctetTexts> prefill() const;

  // Probes the address; true exactly when the last request got a reply.
  bool Send_Ping(const OctetTexts& fields);
  int ping_res = 0;

  // The Execute button: probe, remember the choice, write the descriptor and
  // run the updater; or one message saying why not.
  void Btn_UpdateClick(const OctetTexts& fields, int option, bool read_back);

  // Launches the program and waits for its end, at most the limit. Returns
  // the exit status when it ended; nullopt when it still runs. Throws
  // FileError when it can't be started.
  std::optional<int> Start_Program(const std::string& program, int limit_ms = kUpdaterWaitLimitMs);

  // Why the last probe failed without any reply state, when the system gave
  // a reason (no permission for ICMP, a send refused).
  const std::optional<std::string>& probe_failure() const { return probe_failure_; }
  bool permission_missing() const { return permission_missing_; }

private:
  AppState& state_;
  UserMessages& messages_;
  UpdatePorts ports_;
  std::optional<std::string> probe_failure_;
  bool permission_missing_ = false;
};

} // namespace lw
