#include "update/updater.h"

#include "formats/errors.h"
#include "platform/clock.h"
#include "platform/process.h"

namespace lw {

UpdateOutcome Start_Program(const UpdatePorts& ports, const std::string& program, int limit_ms) {
  using Kind = UpdateOutcome::Kind;
  std::unique_ptr<RunningProcess> process;
  try {
    process = ports.launcher.launch(program);
  } catch (const FileError& e) {
    return {Kind::UpdaterNotStarted, 0, e.what()};
  }
  ports.busy(true);
  const std::uint64_t t0 = ports.clock.tick_ms();
  std::optional<int> status;
  for (;;) {
    status = process->ended();
    if (status) break;
    if (ports.clock.tick_ms() - t0 >= static_cast<std::uint64_t>(limit_ms)) break;
    ports.clock.sleep_ms(kUpdaterPollMs);
    if (ports.repaint_only) ports.repaint_only();
  }
  ports.busy(false);
  if (status) return {Kind::UpdaterEnded, *status, {}};
  return {Kind::UpdaterStillRunning, 0, {}};
}

} // namespace lw
