#include "fakes.h"
#include "formats/sha256.h"
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

TEST(Sha256, KnownDigests) {
  struct Case {
    std::string bytes;
    const char* digest;
  };
  const Case cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 56 bytes: the length no longer fits the first padding block
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(sha256_hex(c.bytes), c.digest) << c.bytes.size() << " bytes";
}

TEST(LocalTimeText, Iso8601WithOffsetAndFileStamp) {
  LocalTime t{2026, 3, 1, 14, 5, 9, 42, 60};
  EXPECT_EQ(iso_8601(t), "2026-03-01T14:05:09+01:00");
  EXPECT_EQ(file_stamp(t), "20260301-140509-042");
  t.utc_offset_minutes = -210;
  EXPECT_EQ(iso_8601(t), "2026-03-01T14:05:09-03:30");
  t.utc_offset_minutes = 0;
  EXPECT_EQ(iso_8601(t), "2026-03-01T14:05:09+00:00");
  // The system's own time reads back as a time of this century.
  LocalTime now = SystemWallClock().local_now();
  EXPECT_GE(now.year, 2024);
  EXPECT_LT(now.millisecond, 1000);
}

TEST(AppendText, HeaderOnceEarlierBytesKeptAndAMissingLineEndAdded) {
  test::TempDir dir;
  const std::string log = dir.file("log.csv");
  fs::append_text(log, "h\r\n", "one\r\n");
  fs::append_text(log, "h\r\n", "two\r\n");
  EXPECT_EQ(test::read_file(log), "h\r\none\r\ntwo\r\n");
  test::write_file(log, "h\r\nhand-edited");
  fs::append_text(log, "h\r\n", "three\r\n");
  EXPECT_EQ(test::read_file(log), "h\r\nhand-edited\r\nthree\r\n");
  test::write_file(log, "");
  fs::append_text(log, "h\r\n", "four\r\n");
  EXPECT_EQ(test::read_file(log), "h\r\nfour\r\n");
}

TEST(AppendText, RefusesWhatIsNoRegularFileWithoutWaiting) {
  test::TempDir dir;
  stdfs::create_directory(dir.file("folder"));
  EXPECT_THROW(fs::append_text(dir.file("folder"), "h\r\n", "x\r\n"), FileError);
#ifndef _WIN32 // Windows has no named pipes in its file system
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_THROW(fs::append_text(dir.file("pipe"), "h\r\n", "x\r\n"), FileError);
#endif
  EXPECT_THROW(fs::append_text(dir.file("missing/log.csv"), "h\r\n", "x\r\n"), FileError);
}

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
