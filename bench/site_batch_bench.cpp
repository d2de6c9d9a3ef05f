// A site of 1,000 units made from one sheet, every row checked and every
// image compiled, beside the same files written with no checks at all.
#include "core/text_table.h"
#include "site/site_batch.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

constexpr int kUnits = 1000;

std::string site_sheet() {
  std::string sheet = "Name,IP,Mask,Gateway,ModbusID,Channels\n";
  for (int i = 0; i < kUnits; ++i)
    sheet += "Unit " + std::to_string(i) + ",10." + std::to_string(i / 250) + "." + std::to_string(i % 250) +
             ".2,255.255.0.0,10.0.0.1," + std::to_string(1 + i % 247) + ",512\n";
  return sheet;
}

// A fresh PROJECTS folder holding the template, the timer paused.
struct Site {
  explicit Site(benchmark::State& st) : state(st) {
    state.PauseTiming();
    dir = std::make_unique<lw::test::TempDir>();
    std::filesystem::create_directories(dir->file("PROJECTS/Template/bin"));
    state.ResumeTiming();
  }
  ~Site() {
    state.PauseTiming();
    dir.reset();
    state.ResumeTiming();
  }
  std::string template_dir() const { return dir->file("PROJECTS/Template"); }

  benchmark::State& state;
  std::unique_ptr<lw::test::TempDir> dir;
};

void BM_SiteBatch(benchmark::State& st) {
  const std::string sheet = site_sheet();
  lw::TextTable texts;
  texts.Fill_English_Texts();
  for (auto _ : st) {
    Site site(st);
    lw::BatchPlan plan = lw::plan_batch(site.template_dir(), sheet, "site.csv", false, texts);
    lw::write_batch(plan, texts);
  }
}
BENCHMARK(BM_SiteBatch)->Name("site sheet: 1000 units checked and made")->Unit(benchmark::kMillisecond);

// The floor: the same files, made before the clock starts, each placed whole
// as the batch places it.
void BM_SiteBatchFloor(benchmark::State& st) {
  lw::TextTable texts;
  texts.Fill_English_Texts();
  std::vector<std::pair<std::string, lw::ConfigurationFiles>> units;
  {
    lw::test::TempDir dir;
    std::filesystem::create_directories(dir.file("PROJECTS/Template/bin"));
    lw::BatchPlan plan =
        lw::plan_batch(dir.file("PROJECTS/Template"), site_sheet(), "site.csv", false, texts);
    for (const lw::BatchUnit& unit : plan.units)
      units.emplace_back(unit.unit.name, lw::unit_files(plan, unit.unit));
  }
  for (auto _ : st) {
    Site site(st);
    std::string projects = site.dir->file("PROJECTS");
    for (const auto& [name, files] : units)
      benchmark::DoNotOptimize(lw::place_configuration(projects, name, files));
  }
}
BENCHMARK(BM_SiteBatchFloor)
    ->Name("site sheet: 1000 units checked and made/floor")
    ->Unit(benchmark::kMillisecond);

} // namespace
