#include "fakes.h"
#include "program_folder.h"
#include "window_logic/main_window.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

class FakeView : public MainWindowView {
public:
  bool show_new_project() override { return opened("new"), new_ok; }
  std::optional<std::string> show_open_conf() override {
    opened("open");
    return open_choice;
  }
  void show_sheet_conf() override { opened("sheet"); }
  void show_about() override { opened("about"); }
  bool show_options() override { return opened("options"), options_ok; }
  void show_par_gen() override { opened("pargen"); }
  void show_dmx_defaults() override { opened("dmx"); }
  void show_boot() override { opened("update"); }
  void save_commissioning_sheet() override { opened("report"); }
  void close_main() override { opened("close"); }
  void show_config_labels(const std::string& a, const std::string& b) override { labels = {a, b}; }
  void show_update_link(bool visible, const std::string& text, const std::string& url) override {
    link_visible = visible;
    link_text = text;
    link_url = url;
  }
  bool link_visible = false;
  std::string link_text, link_url;
  void opened(const std::string& what) { log.push_back(what); }

  std::vector<std::string> log;
  std::pair<std::string, std::string> labels;
  bool new_ok = false, options_ok = false;
  std::optional<std::string> open_choice;
};

// The window's creation runs the start-up itself.
class MainLogic : public testing::Test, public test::ProgramFolder {
protected:
  MainLogic() : ProgramFolder(Start::later) {}
  void SetUp() override {
    logic.set_view(&view);
    logic.FormCreate();
  }
  test::FakeUrlOpener urls;
  test::FakeHttp http;
  FakeView view;
  MainWindowLogic logic{folders, settings, conf, catalogue,           messages,
                        timer,   urls,     http, "http://127.0.0.1:9"};
};

TEST_F(MainLogic, StepsTwoToFourNeedAnOpenConfiguration) {
  for (MainButton b : {MainButton::ParGen, MainButton::DmxDefault, MainButton::CreateBin, MainButton::Report})
    logic.Btn_Click(b);
  EXPECT_TRUE(view.log.empty());
  ASSERT_EQ(messages.shown.size(), 4u);
  for (const auto& m : messages.shown) {
    EXPECT_EQ(m.kind, "error");
    EXPECT_EQ(m.text, "Error! Project not Valid");
  }
}

TEST_F(MainLogic, EveryButtonReachesItsWindowWithAConfigurationOpen) {
  open_configuration("X");
  for (MainButton b : {MainButton::New, MainButton::Open, MainButton::Sheet, MainButton::Info,
                       MainButton::Options, MainButton::ParGen, MainButton::DmxDefault, MainButton::CreateBin,
                       MainButton::Report, MainButton::Close})
    logic.Btn_Click(b);
  EXPECT_EQ(view.log, (std::vector<std::string>{"new", "open", "sheet", "about", "options", "pargen", "dmx",
                                                "update", "report", "close"}));
  EXPECT_TRUE(messages.shown.empty());
}

// Configurations from a sheet come from a template of their own choosing.
TEST_F(MainLogic, SheetNeedsNoOpenConfiguration) {
  logic.Btn_Click(MainButton::Sheet);
  EXPECT_EQ(view.log, std::vector<std::string>{"sheet"});
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainLogic, LabelsFollowCreateAndOpen) {
  EXPECT_EQ(view.labels, std::make_pair(catalogue.text(9), catalogue.text(10)));
  stdfs::create_directories(dir.file("PROJECTS/Plant"));
  view.open_choice = "Plant";
  logic.Btn_Click(MainButton::Open);
  EXPECT_EQ(conf.Conf_Dir, dir.file("PROJECTS/Plant"));
  EXPECT_EQ(conf.File_ParGen, dir.file("PROJECTS/Plant/ParGen.xml"));
  EXPECT_EQ(view.labels,
            std::make_pair(std::string("Opened Configuration of the Converter : "), std::string("Plant")));
  view.open_choice = "";
  logic.Btn_Click(MainButton::Open);
  EXPECT_FALSE(conf.configuration_open());
  EXPECT_EQ(view.labels.first, "None Configuration Opened ");
}

TEST_F(MainLogic, CancelledOpenChangesNothing) {
  conf = configuration_at("Keep", dir.file("PROJECTS/Keep"));
  view.open_choice.reset();
  logic.Btn_Click(MainButton::Open);
  EXPECT_EQ(conf.Conf_Name, "Keep");
  EXPECT_EQ(conf.Conf_Dir, dir.file("PROJECTS/Keep"));
}

TEST_F(MainLogic, OptionsOkSavesSettingsAndAppliesTheTimerRule) {
  view.options_ok = false;
  logic.Btn_Click(MainButton::Options);
  EXPECT_FALSE(stdfs::exists(dir.file("Loomwork.xml")));
  view.options_ok = true;
  settings.Enable_Internet = settings.Enable_Update = true;
  logic.Btn_Click(MainButton::Options);
  EXPECT_TRUE(stdfs::exists(dir.file("Loomwork.xml")));
  EXPECT_TRUE(timer.running);
}

TEST_F(MainLogic, CloseWritesSettingsAndReportsAFailure) {
  logic.FormClose();
  EXPECT_TRUE(stdfs::exists(dir.file("Loomwork.xml")));
  // The program's folder gone from under it: nowhere to write.
  stdfs::remove_all(dir.path());
  logic.FormClose();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("No such file or directory"), std::string::npos);
}

// The next start opens again what is open at the close.
TEST_F(MainLogic, CloseRemembersTheOpenConfiguration) {
  stdfs::create_directories(dir.file("PROJECTS/Plant"));
  view.open_choice = "Plant";
  logic.Btn_Click(MainButton::Open);
  logic.FormClose();
  EXPECT_NE(test::read_file(dir.file("Loomwork.xml")).find("<projectname>Plant</projectname>"),
            std::string::npos);
}

TEST_F(MainLogic, VendorLinkOpensTheHomePage) {
  logic.L_QuorvexClick();
  EXPECT_EQ(urls.opened,
            (std::vector<std::string>{"http://www.quorvexsite.com/HOME/default.asp?frompg=SW40873"}));
}

} // namespace
} // namespace lw

namespace lw {
namespace {

TEST_F(MainLogic, UpdateDeviceWritesAFreshImageBeforeTheDialog) {
  open_configuration("X");
  test::write_file(dir.file("PROJECTS/X/bin/bank.bin"), "stale");
  logic.Btn_Click(MainButton::CreateBin);
  EXPECT_EQ(view.log, std::vector<std::string>{"update"});
  EXPECT_EQ(stdfs::file_size(dir.file("PROJECTS/X/bin/bank.bin")), 2560u);
}

TEST_F(MainLogic, UpdateDeviceMakesAMissingBinFolder) {
  open_configuration("X");
  stdfs::remove(dir.file("PROJECTS/X/bin"));
  logic.Btn_Click(MainButton::CreateBin);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(view.log, std::vector<std::string>{"update"});
  EXPECT_EQ(stdfs::file_size(dir.file("PROJECTS/X/bin/bank.bin")), 2560u);
}

TEST_F(MainLogic, UpdateDeviceStopsWhenTheImageCannotBeWritten) {
  open_configuration("X");
  stdfs::remove(dir.file("PROJECTS/X/bin"));
  test::write_file(dir.file("PROJECTS/X/bin"), "a file where the folder belongs");
  logic.Btn_Click(MainButton::CreateBin);
  EXPECT_TRUE(view.log.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("bank.bin"), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find("Not a directory"), std::string::npos) << messages.shown[0].text;
}

TEST_F(MainLogic, UpdateDeviceRefusesStoredValuesTheEditorsRefuse) {
  open_configuration("X");
  test::write_file(conf.File_ParGen, "<Par_Gen><MODBUS_SLAVE_PARITY>3</MODBUS_SLAVE_PARITY></Par_Gen>");
  logic.Btn_Click(MainButton::CreateBin);
  EXPECT_TRUE(view.log.empty());
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/X/bin/bank.bin")));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Modbus Slave / Parity: Select Parity to use in serial");
}

TEST_F(MainLogic, UpdateDeviceStopsOnAFileThatCannotBeParsed) {
  open_configuration("X");
  test::write_file(conf.File_ParGen, "<Par_Gen>");
  logic.Btn_Click(MainButton::CreateBin);
  EXPECT_TRUE(view.log.empty());
  EXPECT_FALSE(stdfs::exists(dir.file("PROJECTS/X/bin/bank.bin")));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("ParGen.xml"), std::string::npos);
}

} // namespace
} // namespace lw

namespace lw {
namespace {

TEST_F(MainLogic, TimerTickShowsTheNoticeAndWaitsTwoHours) {
  timer.start();
  http.reply = "VER. 1.002";
  logic.Timer_UpdateTimer();
  EXPECT_EQ(http.urls,
            std::vector<std::string>{"http://127.0.0.1:9/home/download/GetversionSW.asp?nomesw=SW40873"});
  EXPECT_TRUE(view.link_visible);
  EXPECT_EQ(view.link_text, "New Version Available. Click Here for more Details");
  EXPECT_EQ(view.link_url, "http://www.quorvexsite.com/Home/download/download.asp#HD40873");
  EXPECT_EQ(timer.interval_ms, 7200000);
  EXPECT_TRUE(timer.running);
  http.reply.reset();
  logic.Timer_UpdateTimer();
  EXPECT_FALSE(view.link_visible);
  EXPECT_TRUE(timer.running);
  logic.LL_UpdateLinkClick(view.link_url);
  EXPECT_EQ(urls.opened.back(), "http://www.quorvexsite.com/Home/download/download.asp#HD40873");
}

} // namespace
} // namespace lw

namespace lw {
namespace {

// The warnings wait until the window is up: a box shown inside the window's
// creation would hold off a stop signal until someone pressed OK.
TEST(MainLogicStart, WarningsWaitForTheWindowAndShowOnce) {
  test::ProgramFolder folder(test::ProgramFolder::Start::later);
  test::write_file(folder.dir.file("Loomwork.xml"), "<Conf_Settings><lastproj>");
  test::FakeUrlOpener urls;
  test::FakeHttp http;
  MainWindowLogic logic{folder.folders,      folder.settings, folder.conf, folder.catalogue,
                        folder.messages,     folder.timer,    urls,        http,
                        "http://127.0.0.1:9"};
  logic.FormCreate();
  EXPECT_TRUE(folder.messages.shown.empty());
  logic.Show_Startup_Problems();
  ASSERT_EQ(folder.messages.shown.size(), 1u);
  EXPECT_EQ(folder.messages.shown[0].kind, "warning");
  EXPECT_NE(folder.messages.shown[0].text.find("Loomwork.xml"), std::string::npos);
  logic.Show_Startup_Problems();
  EXPECT_EQ(folder.messages.shown.size(), 1u);
}

} // namespace
} // namespace lw
