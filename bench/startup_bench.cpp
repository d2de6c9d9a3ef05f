#include "core/catalogue.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text_table.h"
#include "languages/language_file.h"
#include "platform/files.h"
#include "temp_dir.h"
#include "window_logic/startup.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

class NullTimer : public lw::UpdateTimer {
public:
  void start() override { on = true; }
  void stop() override { on = false; }
  bool active() const override { return on; }
  void set_interval_ms(int) override {}
  bool on = false;
};

void BM_Startup_EmptyFolder(benchmark::State& st) {
  NullTimer timer;
  for (auto _ : st) {
    st.PauseTiming();
    lw::test::TempDir dir;
    st.ResumeTiming();
    lw::Started started = lw::Run_Startup(lw::program_folders(dir.path()), timer);
    benchmark::DoNotOptimize(started.catalogue.Text_Table.Get(0));
  }
}
BENCHMARK(BM_Startup_EmptyFolder)->Name("startup: empty folder");

// The floor of a first start: create the three folders and fill the catalogue.
void BM_Startup_Floor(benchmark::State& st) {
  for (auto _ : st) {
    st.PauseTiming();
    lw::test::TempDir dir;
    st.ResumeTiming();
    for (const char* name : {"MASTER", "PROJECTS", "LANGUAGE"})
      lw::fs::make_dir(dir.file(name));
    lw::TextTable t;
    t.Fill_English_Texts();
    benchmark::DoNotOptimize(t.Get(0));
  }
}
BENCHMARK(BM_Startup_Floor)->Name("startup: empty folder/floor");

struct LanguageFixture {
  lw::test::TempDir dir;
  lw::Catalogue catalogue;
  LanguageFixture() {
    lw::TextTable t;
    t.Fill_English_Texts();
    for (int i = 0; i < t.Count(); ++i)
      t.Put(i, "Traduzione del testo numero " + std::to_string(i));
    lw::test::write_file(dir.file("Italiano.lng"), lw::write_language_file(t, "1.0"));
  }
};

void BM_LoadLanguage(benchmark::State& st) {
  LanguageFixture f;
  for (auto _ : st) {
    lw::Load_Language(f.catalogue, f.dir.path(), "Italiano");
    benchmark::DoNotOptimize(f.catalogue.Text_Table.Get(1499));
  }
}
BENCHMARK(BM_LoadLanguage)->Name("Load_Language: 1500-entry file");

void BM_LoadLanguage_Floor(benchmark::State& st) {
  LanguageFixture f;
  for (auto _ : st) {
    std::string bytes = lw::fs::read_bytes(f.dir.file("Italiano.lng"), 1u << 30);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_LoadLanguage_Floor)->Name("Load_Language: 1500-entry file/floor");

} // namespace
