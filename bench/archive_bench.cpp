// A configuration after ten updates to one zip and back as a new
// configuration, beside the same files copied into a new configuration.
#include "projects/configuration_archive.h"
#include "sound_image.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

constexpr int kUpdates = 10;

// The golden configuration, its log and every image sent, in a fresh
// PROJECTS; the timer paused while it is made and removed.
struct Sent {
  explicit Sent(benchmark::State& st) : state(st) {
    state.PauseTiming();
    dir = std::make_unique<lw::test::TempDir>();
    namespace stdfs = std::filesystem;
    stdfs::create_directories(lw::test::fs_path(conf() + "/bin/sent"));
    for (const char* file : {"ParGen.xml", "DMX_Default_Values.xml"})
      stdfs::copy_file(LOOMWORK_FIXTURES "/golden/" + std::string(file),
                       lw::test::fs_path(conf() + "/" + file));
    stdfs::copy_file(LOOMWORK_FIXTURES "/golden/bank.bin", lw::test::fs_path(conf() + "/bin/bank.bin"));
    std::string log = "time,address,option,read-back,checksum,sha256,outcome\n";
    for (int i = 0; i < kUpdates; ++i) {
      log += "2026-01-01T10:00:00+01:00,10.0.0.2,0,yes,0x00000C6B," + std::string(64, 'a') + ",done\n";
      lw::test::write_file(conf() + "/bin/sent/bank-" + std::to_string(i) + ".bin",
                           lw::test::sound_image(static_cast<char>(i)));
    }
    lw::test::write_file(conf() + "/update-log.csv", log);
    state.ResumeTiming();
  }
  ~Sent() {
    state.PauseTiming();
    dir.reset();
    state.ResumeTiming();
  }
  std::string projects() const { return dir->file("PROJECTS"); }
  std::string conf() const { return dir->file("PROJECTS/Line 3"); }

  benchmark::State& state;
  std::unique_ptr<lw::test::TempDir> dir;
};

void BM_ArchiveRoundTrip(benchmark::State& st) {
  for (auto _ : st) {
    Sent sent(st);
    std::string zip = sent.dir->file("Line 3.zip");
    lw::export_configuration(sent.conf(), zip);
    benchmark::DoNotOptimize(lw::import_configuration(zip, sent.projects(), "Line 4"));
  }
}
BENCHMARK(BM_ArchiveRoundTrip)
    ->Name("configuration zip: exported and imported, 10 images sent")
    ->Unit(benchmark::kMillisecond);

// The floor: the same files read and placed whole as a new configuration.
void BM_ArchiveRoundTripFloor(benchmark::State& st) {
  for (auto _ : st) {
    Sent sent(st);
    lw::ConfigurationFiles files = lw::gather_configuration(sent.conf()).files;
    benchmark::DoNotOptimize(lw::place_configuration(sent.projects(), "Line 4", files));
  }
}
BENCHMARK(BM_ArchiveRoundTripFloor)
    ->Name("configuration zip: exported and imported, 10 images sent/floor")
    ->Unit(benchmark::kMillisecond);

} // namespace
