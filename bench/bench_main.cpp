// Runs every benchmark, then prints one table: each operation beside its
// floor (the bare work it can't avoid, measured in the same run) and the ratio.
// A floor is registered under the operation's name followed by "/floor".
#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace {

class FloorTable : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
      std::string name = r.benchmark_name();
      // Options such as a minimum time or manual timing add parts to the name.
      for (const char* part : {"/min_time:", "/manual_time"})
        if (auto at = name.find(part); at != std::string::npos) name.erase(at, name.find('/', at + 1) - at);
      times_[name] = r.GetAdjustedRealTime() * unit_ns(r.time_unit);
      if (auto peak = r.counters.find("peak_kib"); peak != r.counters.end())
        peaks_[name] = peak->second.value;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    // Wide enough for the longest name with its peak memory, so the columns stay aligned.
    int width = 0;
    for (const auto& [name, ns] : times_)
      width = std::max(width, static_cast<int>(name.size() + kPeakSuffix.size()));
    std::printf("\n%-*s %14s %14s %8s\n", width, "operation", "time", "floor", "ratio");
    for (const auto& [name, ns] : times_) {
      if (name.find("/floor") != std::string::npos) continue;
      auto floor = times_.find(name + "/floor");
      if (floor == times_.end()) {
        std::printf("%-*s %14s %14s %8s\n", width, name.c_str(), pretty(ns).c_str(), "-", "-");
      } else {
        std::printf("%-*s %14s %14s %8.2f\n", width, name.c_str(), pretty(ns).c_str(),
                    pretty(floor->second).c_str(), ns / floor->second);
      }
    }
    for (const auto& [name, kib] : peaks_) {
      if (name.find("/floor") != std::string::npos) continue;
      auto floor = peaks_.find(name + "/floor");
      if (floor == peaks_.end()) continue;
      std::printf("%-*s %10.1f MiB %10.1f MiB %8.2f\n", width, (name + std::string(kPeakSuffix)).c_str(),
                  kib / 1024, floor->second / 1024, kib / floor->second);
    }
  }

private:
  static constexpr std::string_view kPeakSuffix = " (peak memory)";
  static double unit_ns(benchmark::TimeUnit u) {
    switch (u) {
    case benchmark::kSecond: return 1e9;
    case benchmark::kMillisecond: return 1e6;
    case benchmark::kMicrosecond: return 1e3;
    default: return 1;
    }
  }
  static std::string pretty(double ns) {
    char buf[32];
    if (ns >= 1e6)
      std::snprintf(buf, sizeof buf, "%.2f ms", ns / 1e6);
    else if (ns >= 1e3)
      std::snprintf(buf, sizeof buf, "%.2f us", ns / 1e3);
    else
      std::snprintf(buf, sizeof buf, "%.0f ns", ns);
    return buf;
  }
  std::map<std::string, double> times_;
  std::map<std::string, double> peaks_;
};

} // namespace

int main(int argc, char** argv) {
  // Window benchmarks need a platform; without a display they run offscreen.
  if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  benchmark::Initialize(&argc, argv);
  FloorTable reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
