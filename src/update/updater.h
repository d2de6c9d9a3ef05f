#pragma once
#include "update/outcome.h"
#include "update/update_ports.h"

#include <string>

namespace lw {

// Launches the program with no arguments and waits for its end, at most the
// limit: UpdaterEnded with any status, UpdaterStillRunning after the limit,
// or UpdaterNotStarted with the system's text.
[[nodiscard]] UpdateOutcome Start_Program(const UpdatePorts& ports, const std::string& program,
                                          int limit_ms = kUpdaterWaitLimitMs);

} // namespace lw
