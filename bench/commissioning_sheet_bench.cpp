#include "core/text_table.h"
#include "formats/html_document.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "platform/pdf.h"
#include "report/commissioning_sheet.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

// The golden configuration's parameters with all 512 channels, every one
// named and set.
struct GoldenConfiguration {
  lw::test::TempDir dir;
  std::string conf = dir.file("Golden");
  lw::TextTable texts;
  GoldenConfiguration() {
    std::filesystem::create_directories(conf + "/bin");
    lw::Par_Gen_Set set = lw::Load_Par_Gen(LOOMWORK_FIXTURES "/golden/ParGen.xml");
    set.DMX_Num_Channels = "512";
    lw::Save_Par_Gen(conf + "/ParGen.xml", set);
    lw::DMX_Def_Table table(512);
    for (std::size_t i = 0; i < table.size(); ++i)
      table[i] = {std::to_string(i % 256),
                  "Fixture " + std::to_string(i / 16 + 1) + " part " + std::to_string(i % 16)};
    lw::Save_DMX_Defaults(conf + "/DMX_Default_Values.xml", table);
    texts.Fill_English_Texts();
  }
  lw::doc::Document sheet() const { return lw::commissioning_sheet({"Golden", conf, {}, "en"}, texts); }
};

// The whole of the button's work but the dialog: the image compiled, the
// document built, laid out as PDF and written.
void BM_SheetPdf(benchmark::State& st) {
  GoldenConfiguration golden;
  lw::QtPdfRenderer pdf;
  const std::string out = golden.dir.file("sheet.pdf");
  for (auto _ : st)
    lw::fs::atomic_save(out, lw::commissioning_sheet_bytes(golden.sheet(), lw::SheetFormat::Pdf, &pdf));
}
BENCHMARK(BM_SheetPdf)->Name("commissioning sheet: 512 channels as PDF")->Unit(benchmark::kMillisecond);

// The floor: Qt's PDF writer with one line on one page, written the same way.
void BM_SheetPdfFloor(benchmark::State& st) {
  GoldenConfiguration golden;
  lw::QtPdfRenderer pdf;
  lw::doc::Document one;
  one.title = "Golden";
  const std::string out = golden.dir.file("sheet.pdf");
  for (auto _ : st)
    lw::fs::atomic_save(out, pdf.render(one));
}
BENCHMARK(BM_SheetPdfFloor)
    ->Name("commissioning sheet: 512 channels as PDF/floor")
    ->Unit(benchmark::kMillisecond);

void BM_SheetHtml(benchmark::State& st) {
  GoldenConfiguration golden;
  const std::string out = golden.dir.file("sheet.html");
  for (auto _ : st)
    lw::fs::atomic_save(out, lw::html_document(golden.sheet()));
}
BENCHMARK(BM_SheetHtml)->Name("commissioning sheet: 512 channels as HTML")->Unit(benchmark::kMillisecond);

} // namespace
