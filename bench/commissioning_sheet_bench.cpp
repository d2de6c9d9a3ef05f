#include "core/text_table.h"
#include "platform/files.h"
#include "platform/html_document.h"
#include "platform/pdf.h"
#include "temp_dir.h"
#include "update/commissioning_sheet.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

// The golden configuration: 512 channels, every one named.
struct GoldenConfiguration {
  lw::test::TempDir dir;
  std::string conf = dir.file("Golden");
  lw::TextTable texts;
  GoldenConfiguration() {
    std::filesystem::create_directories(conf + "/bin");
    for (const char* name : {"ParGen.xml", "DMX_Default_Values.xml"})
      std::filesystem::copy_file(std::string(LOOMWORK_FIXTURES "/golden/") + name, conf + "/" + name);
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
