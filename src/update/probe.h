#pragma once
#include "update/update_ports.h"

#include <string>

namespace lw {

enum class ProbeResult { Answered, Silent, UnusableAddress, NotPermitted, SendFailed, Cancelled };

struct ProbeOutcome {
  ProbeResult result;
  std::string system_text; // why no request could be made, when the system said
};

// Echo requests to the dotted address until two replies or 5 s have passed;
// Answered exactly when the last request got a reply with data. A failure to
// send stops at once: after an unanswered request the device counts as
// silent, else the send failed. Once the ports say cancelled, between
// requests or inside a wait, the probe ends at once as Cancelled.
[[nodiscard]] ProbeOutcome Send_Ping(const UpdatePorts& ports, const std::string& address);

} // namespace lw
