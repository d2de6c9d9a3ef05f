#include "image/compiler.h"
#include "platform/files.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

struct GoldenConfiguration {
  lw::test::TempDir dir;
  GoldenConfiguration() {
    std::filesystem::create_directories(dir.file("bin"));
    for (const char* name : {"ParGen.xml", "DMX_Default_Values.xml"})
      std::filesystem::copy_file(std::string(LOOMWORK_FIXTURES "/golden/") + name, dir.file(name));
  }
};

void BM_CompileAndWrite(benchmark::State& st) {
  GoldenConfiguration c;
  lw::image::ImageCompiler compiler;
  for (auto _ : st) {
    compiler.Compile_Image(c.dir.file("ParGen.xml"), c.dir.file("DMX_Default_Values.xml"));
    compiler.Write_Bank_File(c.dir.path());
  }
}
BENCHMARK(BM_CompileAndWrite)->Name("image: compile and write bank.bin");

// The floor: read both files' bytes and write 2560 bytes the same safe way.
void BM_CompileAndWriteFloor(benchmark::State& st) {
  GoldenConfiguration c;
  std::string image(2560, '\0');
  for (auto _ : st) {
    benchmark::DoNotOptimize(lw::fs::read_bytes(c.dir.file("ParGen.xml"), 1u << 20));
    benchmark::DoNotOptimize(lw::fs::read_bytes(c.dir.file("DMX_Default_Values.xml"), 1u << 25));
    lw::fs::atomic_save(c.dir.file("bin/bank.bin"), image);
  }
}
BENCHMARK(BM_CompileAndWriteFloor)->Name("image: compile and write bank.bin/floor");

} // namespace
