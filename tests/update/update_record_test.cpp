#include "fakes.h"
#include "formats/sha256.h"
#include "image/descriptor.h"
#include "image/image_layout.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "program_folder.h"
#include "update/sequence.h"
#include "update/update_record.h"
#include "window_logic/boot_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using Kind = UpdateOutcome::Kind;

// The Update Device dialog's Execute over a configuration whose image step 4
// has written, with the updater and the device faked.
class Recorded : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("A");
    ASSERT_FALSE(Write_Image(configuration_files(conf.Conf_Dir), catalogue.Text_Table));
    image = test::read_file(conf.Conf_Dir + "/bin/bank.bin");
  }
  std::vector<std::string> log_lines() {
    std::vector<std::string> out;
    std::string text = test::read_file(conf.Conf_Dir + "/update-log.csv");
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      out.push_back(text.substr(at, end - at));
    return out;
  }
  std::string image_columns() const {
    return image::hex32(image::read_le(reinterpret_cast<const std::uint8_t*>(image.data()) + 2044, 4)) + "," +
           sha256_hex(image);
  }
  std::vector<std::string> sent() const {
    std::vector<std::string> out;
    if (stdfs::exists(conf.Conf_Dir + "/bin/sent"))
      for (const auto& e : stdfs::directory_iterator(conf.Conf_Dir + "/bin/sent"))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  test::FakeClock clock;
  test::ScriptedEcho echo{clock};
  test::FakeLauncher launcher{clock};
  std::function<void()> during_probe;
  UpdatePorts ports{echo, clock, launcher,
                    [this] {
                      if (during_probe) during_probe();
                    },
                    [] {}};
  test::FakeWallClock wall;
  test::FakeAppender log;
  RecordPorts record{wall, log};
  BootLogic logic{folders, settings, conf, catalogue, messages, ports, record};
  std::string image;
};

TEST_F(Recorded, EachOutcomeAppendsItsLine) {
  struct Case {
    const char* name;
    OctetTexts fields = {"10", "0", "0", "07"};
    std::optional<std::size_t> reply = 32;
    bool fails_to_start = false;
    std::uint64_t runs_ms = 0;
    int exit_code = 0;
    bool stop = false;
    std::string outcome; // the line's last three columns
  };
  const Case cases[] = {
      {"not found", {"10", "0", "0", "07"}, std::nullopt, false, 0, 0, false, "device not found,,"},
      {"ended 0", {"10", "0", "0", "07"}, 32, false, 0, 0, false, "updater ended,0,"},
      {"ended 3", {"10", "0", "0", "07"}, 32, false, 0, 3, false, "updater ended,3,"},
      {"still running",
       {"10", "0", "0", "07"},
       32,
       false,
       200000,
       0,
       false,
       "updater still running after the wait,,"},
      {"cannot start",
       {"10", "0", "0", "07"},
       32,
       true,
       0,
       0,
       false,
       "updater could not start,,Cannot start " + dir.file("Ethernet_Update.exe") +
           ": No such file or directory"},
      {"cancelled", {"10", "0", "0", "07"}, std::nullopt, false, 0, 0, true, "cancelled,,"},
      {"unusable", {"300", "0", "0", "7"}, 32, false, 0, 0, false, "unusable address,,"},
  };
  std::vector<std::string> expected{
      "time,address,option,read_back,checksum,sha256,outcome,exit_status,detail"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    echo.fallback = {c.reply};
    launcher.fail = c.fails_to_start;
    launcher.runs_ms = c.runs_ms;
    launcher.exit_code = c.exit_code;
    during_probe = [&] {
      if (c.stop) logic.Stop();
    };
    (void)logic.Btn_UpdateClick(c.fields, 2, false);
    std::string address = c.fields[0] == "300" ? "300.0.0.7" : "10.0.0.7"; // plain decimal when usable
    expected.push_back("2026-03-01T14:05:09+01:00," + address + ",configuration,no," + image_columns() + "," +
                       c.outcome);
    EXPECT_EQ(log_lines(), expected);
  }
}

TEST_F(Recorded, ImagesTheUpdaterTookAreKeptUnderNewNames) {
  echo.fallback = {32};
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, 0, true);
  launcher.exit_code = 1;
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, 0, true); // the same millisecond on the fake clock
  echo.fallback = {std::nullopt};
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, 0, true); // never handed over: nothing kept
  EXPECT_EQ(sent(),
            (std::vector<std::string>{"bank-20260301-140509-042-2.bin", "bank-20260301-140509-042.bin"}));
  for (const auto& name : sent())
    EXPECT_EQ(test::read_file(conf.Conf_Dir + "/bin/sent/" + name), image);
  EXPECT_EQ(test::read_file(conf.Conf_Dir + "/bin/last-sent.bin"), image);
  // The next image the updater takes with success becomes the last one sent;
  // the earlier copies stay.
  std::string changed = image;
  changed[2048] = 7;
  test::write_file(conf.Conf_Dir + "/bin/bank.bin", changed);
  wall.now.second = 10;
  echo.fallback = {32};
  launcher.exit_code = 0;
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, 0, true);
  EXPECT_EQ(sent().size(), 3u);
  EXPECT_EQ(test::read_file(conf.Conf_Dir + "/bin/sent/bank-20260301-140510-042.bin"), changed);
  EXPECT_EQ(test::read_file(conf.Conf_Dir + "/bin/last-sent.bin"), changed);
}

// Firmware alone leaves the parameters the device holds as they were: the
// image handed over is kept with the others but is not the last one sent.
TEST_F(Recorded, FirmwareAloneLeavesTheLastImageSentAsItWas) {
  echo.fallback = {32};
  launcher.exit_code = 0;
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, image::kFirmwareOnly, true);
  EXPECT_EQ(sent().size(), 1u);
  EXPECT_FALSE(stdfs::exists(conf.Conf_Dir + "/bin/last-sent.bin"));
  wall.now.second = 10;
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, image::kConfigurationOnly, true);
  EXPECT_EQ(test::read_file(conf.Conf_Dir + "/bin/last-sent.bin"), image);
  std::string changed = image;
  changed[2048] = 7;
  test::write_file(conf.Conf_Dir + "/bin/bank.bin", changed);
  wall.now.second = 20;
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, image::kFirmwareOnly, true);
  EXPECT_EQ(sent().size(), 3u);
  EXPECT_EQ(test::read_file(conf.Conf_Dir + "/bin/last-sent.bin"), image);
}

TEST_F(Recorded, AnUnwritableRecordIsSaidAndTheUpdateRunsAllTheSame) {
  echo.fallback = {32};
  log.fail = true;
  stdfs::remove(conf.Conf_Dir + "/bin/sent");
  test::write_file(conf.Conf_Dir + "/bin/sent", "in the way");
  EXPECT_TRUE(logic.Btn_UpdateClick({"10", "0", "0", "7"}, 0, true));
  EXPECT_EQ(launcher.launched.size(), 1u);
  EXPECT_TRUE(stdfs::exists(dir.file("Ethernet_Update.xml")));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].kind, "warning");
  EXPECT_TRUE(messages.shown[0].text.starts_with("The update log could not be written:\n"));
  EXPECT_NE(messages.shown[0].text.find("Read-only file system"), std::string::npos);
  EXPECT_TRUE(messages.shown[1].text.starts_with("The image sent could not be kept:\n"))
      << messages.shown[1].text;
  EXPECT_FALSE(stdfs::exists(conf.Conf_Dir + "/update-log.csv"));
  // A folder in the log's place is refused by the real file as well.
  log.fail = false;
  messages.shown.clear();
  stdfs::create_directory(conf.Conf_Dir + "/update-log.csv");
  (void)logic.Btn_UpdateClick({"10", "0", "0", "7"}, 0, true);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_NE(messages.shown[0].text.find("update-log.csv"), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(launcher.launched.size(), 2u);
}

// With no configuration open there is nothing to record it in: the empty
// folder would put the log at the root of the disk.
TEST(RecordUpdate, NoConfigurationOpenRecordsNothing) {
  test::FakeWallClock wall;
  test::FakeAppender log;
  RecordPorts record{wall, log};
  UpdateAttempt attempt;
  attempt.address = "10.0.0.7";
  attempt.image = std::string(2560, '\0');
  UpdateOutcome ended;
  ended.kind = UpdateOutcome::Kind::UpdaterEnded;
  EXPECT_EQ(Record_Update(attempt, ended, record), RecordFailures{});
  EXPECT_TRUE(log.asked.empty());
}

} // namespace
} // namespace lw
