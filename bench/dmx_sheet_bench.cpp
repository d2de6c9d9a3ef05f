// The channel table of the most channels as a sheet, out and in, and the
// strip of its levels drawn afresh, each beside the bytes or pixels it can't
// avoid touching.
#include "params/dmx_csv.h"
#include "params/dmx_levels.h"
#include "sample_tables.h"
#include "ui/level_strip.h"

#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

using lw::bench::sample_rows;

void BM_SheetExport(benchmark::State& st) {
  const auto rows = sample_rows(lw::kMaxDmxChannels);
  for (auto _ : st)
    benchmark::DoNotOptimize(lw::dmx_csv(rows, true));
}
BENCHMARK(BM_SheetExport)->Name("DMX sheet: export 65535 channels")->Unit(benchmark::kMicrosecond);

// The floor of an export: a string of the same bytes, written once.
void BM_SheetExportFloor(benchmark::State& st) {
  const std::string bytes = lw::dmx_csv(sample_rows(lw::kMaxDmxChannels), true);
  for (auto _ : st) {
    std::string copy(bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SheetExportFloor)->Name("DMX sheet: export 65535 channels/floor")->Unit(benchmark::kMicrosecond);

void BM_SheetImport(benchmark::State& st) {
  const std::string sheet = lw::dmx_csv(sample_rows(lw::kMaxDmxChannels), true);
  const lw::DMX_Def_Table table(lw::kMaxDmxChannels);
  for (auto _ : st)
    benchmark::DoNotOptimize(lw::import_dmx_csv(sheet, table, "bench.csv"));
}
BENCHMARK(BM_SheetImport)->Name("DMX sheet: import 65535 channels")->Unit(benchmark::kMicrosecond);

// The floor of an import: one pass over the same bytes, counting separators.
void BM_SheetImportFloor(benchmark::State& st) {
  const std::string sheet = lw::dmx_csv(sample_rows(lw::kMaxDmxChannels), true);
  for (auto _ : st)
    benchmark::DoNotOptimize(
        std::count_if(sheet.begin(), sheet.end(), [](char c) { return c == ',' || c == '\n'; }));
}
BENCHMARK(BM_SheetImportFloor)->Name("DMX sheet: import 65535 channels/floor")->Unit(benchmark::kMicrosecond);

// Everything a whole new table costs the strip: every level read again and
// the strip drawn at its usual size.
void BM_StripRedraw(benchmark::State& st) {
  const auto rows = sample_rows(lw::kMaxDmxChannels);
  lw::ui::LevelStrip strip;
  strip.resize(strip.sizeHint());
  QImage image(strip.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : st) {
    strip.setLevels(lw::dmx_levels(rows));
    strip.render(&image);
  }
}
BENCHMARK(BM_StripRedraw)
    ->Name("level strip: levels and drawing of 65535 channels")
    ->Unit(benchmark::kMicrosecond);

// The floor of a redraw: the same image filled once.
void BM_StripRedrawFloor(benchmark::State& st) {
  lw::ui::LevelStrip strip;
  QImage image(strip.sizeHint(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : st) {
    image.fill(Qt::white);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_StripRedrawFloor)
    ->Name("level strip: levels and drawing of 65535 channels/floor")
    ->Unit(benchmark::kMicrosecond);

} // namespace
