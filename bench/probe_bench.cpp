#include "platform/clock.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "update/probe.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Probe(benchmark::State& st) {
  lw::IcmpEchoClient echo;
  lw::SteadyClock clock;
  lw::SystemLauncher launcher;
  const lw::UpdatePorts ports{echo, clock, launcher, {}, {}};
  for (auto _ : st) {
    if (lw::Send_Ping(ports, "127.0.0.1").result != lw::ProbeResult::Answered) {
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
