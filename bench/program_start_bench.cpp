#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the probe as its own process: the time from exec to its end, and its
// peak resident memory.
void run_probe(benchmark::State& st, const char* mode) {
  long peak_kib = 0;
  for (auto _ : st) {
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
      ::execl(LOOMWORK_STARTUP_PROBE, LOOMWORK_STARTUP_PROBE, mode, nullptr);
      ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    auto took = std::chrono::steady_clock::now() - start;
    st.SetIterationTime(std::chrono::duration<double>(took).count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) st.SkipWithError("the probe failed");
    peak_kib = std::max(peak_kib, usage.ru_maxrss);
  }
  st.counters["peak_kib"] = static_cast<double>(peak_kib);
}

void BM_ProgramStart(benchmark::State& st) { run_probe(st, "loomwork"); }
BENCHMARK(BM_ProgramStart)
    ->Name("program start: main to window shown")
    ->UseManualTime()
    ->MinTime(3.0)
    ->Unit(benchmark::kMillisecond);

void BM_ProgramStartFloor(benchmark::State& st) { run_probe(st, "bare"); }
BENCHMARK(BM_ProgramStartFloor)
    ->Name("program start: main to window shown/floor")
    ->UseManualTime()
    ->MinTime(3.0)
    ->Unit(benchmark::kMillisecond);

} // namespace
