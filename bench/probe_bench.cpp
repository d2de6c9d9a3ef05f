#include "core/app_state.h"
#include "core/ports.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "windows/boot_logic.h"

#include <benchmark/benchmark.h>

namespace {

class Quiet : public lw::UserMessages {
public:
  void error(const std::string&) override {}
  void warning(const std::string&) override {}
  bool confirm(const std::string&) override { return false; }
};

void BM_Probe(benchmark::State& st) {
  lw::AppState state;
  Quiet quiet;
  lw::IcmpEchoClient echo;
  lw::SteadyClock clock;
  lw::PosixLauncher launcher;
  lw::BootLogic boot(state, quiet, lw::UpdatePorts{echo, clock, launcher, {}, {}});
  for (auto _ : st) {
    if (!boot.Send_Ping({"127", "0", "0", "1"})) {
      st.SkipWithError("no echo from 127.0.0.1 (ICMP not permitted here?)");
      break;
    }
  }
}
BENCHMARK(BM_Probe)->Name("probe: answering device at 127.0.0.1")->Unit(benchmark::kMicrosecond);

void BM_ProbeFloor(benchmark::State& st) {
  lw::IcmpEchoClient echo;
  for (auto _ : st) {
    try {
      echo.echo({127, 0, 0, 1}, 400, {});
      echo.echo({127, 0, 0, 1}, 400, {});
    } catch (const lw::EchoFailure& e) {
      st.SkipWithError(e.what());
      break;
    }
  }
}
BENCHMARK(BM_ProbeFloor)->Name("probe: answering device at 127.0.0.1/floor")->Unit(benchmark::kMicrosecond);

} // namespace
