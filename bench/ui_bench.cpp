#include "params/dmx_defaults.h"
#include "platform/url_opener.h"
#include "temp_dir.h"
#include "ui/application.h"
#include "ui/dmx_editor.h"
#include "ui/dmx_table_model.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

class SilentMessages : public lw::UserMessages {
public:
  void error(const std::string&) override {}
  void warning(const std::string&) override {}
  bool confirm(const std::string&) override { return false; }
};

class NoUrls : public lw::UrlOpener {
public:
  bool open(const std::string&) override { return true; }
};

void BM_OpenDmxEditor(benchmark::State& st) {
  const int channels = static_cast<int>(st.range(0));
  lw::test::TempDir dir;
  SilentMessages messages;
  NoUrls urls;
  lw::IcmpEchoClient echo;
  lw::SteadyClock clock;
  lw::SystemLauncher launcher;
  lw::CurlHttpClient http;
  lw::ui::FileDialogs files;
  lw::SystemWallClock wall;
  lw::FileAppender log;
  lw::QtPdfRenderer pdf;
  lw::ui::Application app(
      {messages, urls, echo, clock, launcher, http, files, wall, log, &pdf, "http://127.0.0.1:9"},
      dir.path());
  std::filesystem::create_directories(dir.file("PROJECTS/B/bin"));
  app.conf = lw::configuration_at("B", dir.file("PROJECTS/B"));
  lw::test::write_file(app.conf.File_ParGen, "<Par_Gen><DMX_Num_Channels>" + std::to_string(channels) +
                                                 "</DMX_Num_Channels></Par_Gen>");
  lw::Save_DMX_Defaults(app.conf.File_DMX_Default, lw::DMX_Def_Table(static_cast<std::size_t>(channels)));
  for (auto _ : st) {
    app.FDMXDefVal->show();
    QApplication::processEvents();
    app.FDMXDefVal->hide();
  }
  st.counters["rows"] = app.FDMXDefVal->model->rowCount();
}
BENCHMARK(BM_OpenDmxEditor)->Arg(512)->Arg(65535)->Name("DMX editor: open")->Unit(benchmark::kMillisecond);

} // namespace
