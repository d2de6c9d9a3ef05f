#include "params/dmx_defaults.h"
#include "platform/files.h"
#include "sample_tables.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

namespace {

using lw::bench::sample_rows;

void BM_DmxLoad(benchmark::State& st) {
  lw::test::TempDir dir;
  lw::Save_DMX_Defaults(dir.file("d.xml"), sample_rows(512));
  for (auto _ : st)
    benchmark::DoNotOptimize(lw::Load_DMX_Defaults(dir.file("d.xml"), 512));
}
BENCHMARK(BM_DmxLoad)->Name("DMX defaults: load 512 rows");

void BM_DmxLoadFloor(benchmark::State& st) {
  lw::test::TempDir dir;
  lw::Save_DMX_Defaults(dir.file("d.xml"), sample_rows(512));
  for (auto _ : st)
    benchmark::DoNotOptimize(lw::fs::read_bytes(dir.file("d.xml"), 1u << 30));
}
BENCHMARK(BM_DmxLoadFloor)->Name("DMX defaults: load 512 rows/floor");

void BM_DmxSave(benchmark::State& st) {
  lw::test::TempDir dir;
  auto rows = sample_rows(512);
  for (auto _ : st)
    lw::Save_DMX_Defaults(dir.file("d.xml"), rows);
}
BENCHMARK(BM_DmxSave)->Name("DMX defaults: save 512 rows");

// The floor of a save: the same bytes, written the same safe way.
void BM_DmxSaveFloor(benchmark::State& st) {
  lw::test::TempDir dir;
  std::string bytes = lw::dmx_defaults_xml(sample_rows(512));
  for (auto _ : st)
    lw::fs::atomic_save(dir.file("d.xml"), bytes);
}
BENCHMARK(BM_DmxSaveFloor)->Name("DMX defaults: save 512 rows/floor");

} // namespace
