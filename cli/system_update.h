#pragma once
#include "platform/appender.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "update/update_ports.h"
#include "update/update_record.h"

namespace lw::cli {

// The system's echo, clock, launcher and record files, as every update of
// the companion hands them to the sequence: it never cancels (a stop signal
// ends it) and has no window to keep alive.
struct SystemUpdate {
  IcmpEchoClient echo;
  SteadyClock clock;
  SystemLauncher launcher;
  SystemWallClock wall;
  FileAppender log;
  UpdatePorts ports{echo, clock, launcher, {}, {}};
  RecordPorts record{wall, log};
};

} // namespace lw::cli
