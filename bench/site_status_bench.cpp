// The site at a glance: 1,000 units, each compiled in memory and compared
// with the last image sent, beside reading the same files; and 254 silent
// devices probed at once, beside one silent device probed alone.
#include "core/identity.h"
#include "core/limits.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "private_network.h"
#include "site/probe_all.h"
#include "site/unit_status.h"
#include "site_units.h"
#include "temp_dir.h"
#include "update/probe.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr int kUnits = 1000;
constexpr int kLoggedAttempts = 20;

// A site as an engineer leaves it after commissioning: 512 channels each,
// every unit sent once and logged, every other one changed since.
class StoredSite {
public:
  StoredSite() {
    const std::string projects = dir_.file("PROJECTS");
    lw::DMX_Def_Table dmx(512);
    for (int c = 0; c < 512; ++c)
      dmx[static_cast<std::size_t>(c)] = {std::to_string(c % 256), "Channel " + std::to_string(c + 1)};
    std::string log = lw::update_log_header();
    for (int i = 0; i < kLoggedAttempts; ++i)
      log +=
          "2026-03-01T14:05:09+01:00,10.0.0.1,firmware+configuration,yes,0x0001A2B3,ab,updater ended,0,\r\n";
    for (int i = 0; i < kUnits; ++i) {
      const std::string address = "10." + std::to_string(i / 250) + "." + std::to_string(i % 250) + ".2";
      const std::string conf =
          lw::test::write_unit(projects, "Unit " + std::to_string(i), lw::test::set_at(address), dmx);
      lw::test::mark_sent(conf);
      lw::test::write_file(lw::update_log_path(conf), log);
      if (i % 2)
        lw::test::write_unit(projects, "Unit " + std::to_string(i), lw::test::set_at(address + "0"), dmx);
      confs_.push_back(conf);
    }
    texts_.Fill_English_Texts();
  }
  std::string projects() const { return dir_.file("PROJECTS"); }
  const std::vector<std::string>& confs() const { return confs_; }
  const lw::TextTable& texts() const { return texts_; }

private:
  lw::test::TempDir dir_;
  std::vector<std::string> confs_;
  lw::TextTable texts_;
};

const StoredSite& stored_site() {
  static const StoredSite site;
  return site;
}

void BM_SiteStatus(benchmark::State& st) {
  const StoredSite& site = stored_site();
  for (auto _ : st) {
    std::vector<lw::UnitStatus> status = lw::site_status(site.projects(), site.texts());
    if (status.size() != kUnits) st.SkipWithError("a unit is missing");
    benchmark::DoNotOptimize(status);
  }
}
BENCHMARK(BM_SiteStatus)
    ->Name("site: 1000 units, each compiled and compared with its last image sent")
    ->Unit(benchmark::kMillisecond);

// The floor: the folder listed and every file the status reads, read whole.
void BM_SiteStatusFloor(benchmark::State& st) {
  const StoredSite& site = stored_site();
  for (auto _ : st) {
    std::size_t bytes = lw::fs::list_dir(site.projects()).size();
    for (const std::string& conf : site.confs()) {
      bytes += lw::fs::read_bytes(lw::fs::join(conf, lw::kParGenFile), lw::kMaxParGenBytes).size();
      bytes += lw::fs::read_bytes(lw::fs::join(conf, lw::kDmxDefaultFile), lw::kMaxDmxDefaultBytes).size();
      bytes += lw::fs::read_bytes(lw::last_sent_path(conf), lw::kMaxImageBytes).size();
      bytes += lw::fs::read_bytes(lw::update_log_path(conf), lw::kMaxUpdateLogBytes).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_SiteStatusFloor)
    ->Name("site: 1000 units, each compiled and compared with its last image sent/floor")
    ->Unit(benchmark::kMillisecond);

// Runs `probe` in a network of its own whose loopback ignores echo requests,
// so every 127.0.0.x is a silent device, and times it there.
void time_silent(benchmark::State& st, const std::function<bool()>& probe) {
  for (auto _ : st) {
    const lw::test::PrivateNetworkRun run = lw::test::in_private_network(
        [&] {
          const auto start = std::chrono::steady_clock::now();
          const bool silent = probe();
          const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
          return silent ? std::to_string(took) : std::string();
        },
        true);
    if (run.unavailable || run.output.empty()) {
      st.SkipWithError(run.unavailable ? "no private network here" : "an address was not silent");
      break;
    }
    st.SetIterationTime(std::stod(run.output));
  }
}

void BM_ProbeAllSilent(benchmark::State& st) {
  time_silent(st, [] {
    std::vector<std::string> addresses;
    for (int i = 1; i <= 254; ++i)
      addresses.push_back("127.0.0." + std::to_string(i));
    lw::SteadyClock clock;
    const lw::ProbeAllResult result =
        lw::Probe_All(addresses, {[] { return std::make_unique<lw::IcmpEchoClient>(); }, clock});
    for (const auto& outcome : result.outcomes)
      if (!outcome || outcome->result != lw::ProbeResult::Silent) return false;
    return true;
  });
}
BENCHMARK(BM_ProbeAllSilent)
    ->Name("probe all: 254 silent devices at once")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ProbeAllSilentFloor(benchmark::State& st) {
  time_silent(st, [] {
    lw::IcmpEchoClient echo;
    lw::SteadyClock clock;
    lw::SystemLauncher launcher;
    return lw::Send_Ping({echo, clock, launcher, {}, {}}, "127.0.0.1").result == lw::ProbeResult::Silent;
  });
}
BENCHMARK(BM_ProbeAllSilentFloor)
    ->Name("probe all: 254 silent devices at once/floor")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
