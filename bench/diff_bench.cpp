#include "image/compiler.h"
#include "params/dmx_defaults.h"
#include "update/image_diff.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

// Two images of the golden configuration, the second with every DMX channel
// and the address changed: the most a diff has to name.
struct ImagePair {
  lw::image::Image before{}, after{};
  lw::DMX_Def_Table table;
  ImagePair() {
    lw::image::ImageCompiler compiler;
    compiler.Compile_Image(LOOMWORK_FIXTURES "/golden/ParGen.xml",
                           LOOMWORK_FIXTURES "/golden/DMX_Default_Values.xml");
    before = compiler.image();
    after = before;
    for (std::size_t i = 0; i < lw::image::kDmxBlockSize; ++i)
      after[lw::image::kParamBlockSize + i] ^= 0x5A;
    after[lw::image::at::ip_address + 3] ^= 1;
    table = lw::Load_DMX_Defaults(LOOMWORK_FIXTURES "/golden/DMX_Default_Values.xml", 512);
  }
};

void BM_Diff(benchmark::State& st) {
  ImagePair pair;
  lw::TextTable texts;
  texts.Fill_English_Texts();
  for (auto _ : st)
    benchmark::DoNotOptimize(lw::diff_text(lw::diff_images(pair.before, pair.after, &pair.table), texts));
}
BENCHMARK(BM_Diff)->Name("image diff: 512 channels and a field changed");

// The floor: every byte of two images compared, as equal images need.
void BM_DiffFloor(benchmark::State& st) {
  ImagePair pair;
  lw::image::Image copy = pair.before;
  for (auto _ : st) {
    benchmark::DoNotOptimize(pair.before.data());
    benchmark::DoNotOptimize(copy.data());
    benchmark::DoNotOptimize(std::memcmp(pair.before.data(), copy.data(), copy.size()));
  }
}
BENCHMARK(BM_DiffFloor)->Name("image diff: 512 channels and a field changed/floor");

} // namespace
