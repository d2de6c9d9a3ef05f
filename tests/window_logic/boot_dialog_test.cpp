#include "core/identity.h"
#include "core/text_ids.h"
#include "fakes.h"
#include "image/descriptor.h"
#include "options/settings_file.h"
#include "program_folder.h"
#include "site_units.h"
#include "update/updater.h"
#include "window_logic/boot_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

class Boot : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("A");
    settings.Last_IP_Address = "192.168.2.205";
  }
  test::FakeClock clock;
  test::ScriptedEcho echo{clock};
  test::FakeLauncher launcher{clock};
  int events = 0;
  std::function<void()> during_probe; // what the user does while the probe lets events through
  UpdatePorts ports{echo, clock, launcher,
                    [this] {
                      ++events;
                      if (during_probe) during_probe();
                    },
                    [] {}};
  test::FakeWallClock wall;
  test::FakeAppender log;
  RecordPorts record{wall, log};
  BootLogic logic{folders, settings, conf, catalogue, messages, ports, record};
  const OctetTexts device{"127", "0", "0", "1"};
};

TEST_F(Boot, AnsweringDeviceEndsAfterTwoRequests) {
  echo.fallback = {32};
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::Answered);
  EXPECT_EQ(echo.addresses.size(), 2u);
  EXPECT_EQ(clock.slept_ms, 0); // a reply needs no pause
}

TEST_F(Boot, SilentDeviceRunsOutItsTime) {
  auto start = clock.now;
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::Silent);
  EXPECT_GT(clock.now - start, 5000u);
  EXPECT_LE(clock.now - start, 5000u + 400u);
  EXPECT_EQ(echo.addresses.size(), 13u); // 400 ms each until 5 s have passed
}

TEST_F(Boot, ResultIsTheLastRequestsOutcome) {
  echo.script = {{32}, {std::nullopt}};
  echo.fallback = {std::nullopt};
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::Silent);
  EXPECT_EQ(echo.addresses.size(), 14u); // one reply, then time-outs until 5 s have passed
  echo.addresses.clear();
  echo.script = {{std::nullopt}, {32}, {std::nullopt}, {32}};
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::Answered);
  EXPECT_EQ(echo.addresses.size(), 4u);
}

TEST_F(Boot, EmptyReplyCountsAsNoReply) {
  echo.fallback = {0};
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::Silent);
}

TEST_F(Boot, FailureMidwayReturnsAtOnceKeepingTheLastRequestsState) {
  const EchoFailure refused(EchoFailure::Kind::SendFailed, "refused");
  echo.script = {{32}, {std::nullopt, refused}};
  auto after_reply = logic.Send_Ping(device);
  EXPECT_EQ(after_reply.result, ProbeResult::SendFailed);
  EXPECT_EQ(after_reply.system_text, "refused");
  EXPECT_EQ(echo.addresses.size(), 2u);
  echo.addresses.clear();
  echo.script = {{std::nullopt}, {std::nullopt, refused}};
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::Silent); // the last request went unanswered
  EXPECT_EQ(echo.addresses.size(), 2u);
  echo.script = {{std::nullopt, refused}};
  EXPECT_EQ(logic.Send_Ping(device).result, ProbeResult::SendFailed);
}

TEST_F(Boot, UnusableAddressSendsNothing) {
  EXPECT_EQ(logic.Send_Ping({"192", "168", "2", "x"}).result, ProbeResult::UnusableAddress);
  EXPECT_TRUE(echo.addresses.empty());
}

TEST_F(Boot, SuccessRemembersWritesAndLaunches) {
  echo.fallback = {32};
  launcher.exit_code = 3;
  logic.Btn_UpdateClick({"10", "0", "0", "7"}, 2, false);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(settings.Last_IP_Address, "10.0.0.7");
  EXPECT_EQ(logic.Update_Option_Index, 2);
  EXPECT_FALSE(logic.Update_Read_Back);
  std::string xml = test::read_file(dir.file("Ethernet_Update.xml"));
  EXPECT_NE(xml.find("<IP_Address_Dev>10.0.0.7</IP_Address_Dev>"), std::string::npos);
  EXPECT_EQ(launcher.launched, std::vector<std::string>{dir.file("Ethernet_Update.exe")});
}

// Leading zeros or a sign pass the probe's test; written as typed, another
// reader would take "0127" for octal and send the updater elsewhere.
TEST_F(Boot, AnsweredAddressIsWrittenAndShownInPlainDecimal) {
  echo.fallback = {32};
  auto shown = logic.Btn_UpdateClick({"0127", "+0", "000", "01"}, 0, true);
  ASSERT_EQ(echo.addresses.size(), 2u);
  EXPECT_EQ(echo.addresses[0], (std::array<std::uint8_t, 4>{127, 0, 0, 1}));
  EXPECT_EQ(settings.Last_IP_Address, "127.0.0.1");
  EXPECT_EQ(shown, (OctetTexts{"127", "0", "0", "1"}));
  std::string xml = test::read_file(dir.file("Ethernet_Update.xml"));
  EXPECT_NE(xml.find("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"), std::string::npos) << xml;
  Save_Setting(settings_file(folders.App_Dir), settings);
  EXPECT_NE(test::read_file(dir.file("Loomwork.xml")).find("<ipaddress>127.0.0.1</ipaddress>"),
            std::string::npos);
}

TEST_F(Boot, NoReplyWarnsAndChangesNothing) {
  logic.Btn_UpdateClick({"10", "0", "0", "7"}, 1, false);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "warning");
  EXPECT_EQ(messages.shown[0].text, "Device Not Found!");
  EXPECT_EQ(settings.Last_IP_Address, "192.168.2.205");
  EXPECT_EQ(logic.Update_Option_Index, 0);
  EXPECT_TRUE(logic.Update_Read_Back);
  EXPECT_FALSE(stdfs::exists(dir.file("Ethernet_Update.xml")));
  EXPECT_TRUE(launcher.launched.empty());
}

TEST_F(Boot, UnusableAddressIsAnError) {
  logic.Btn_UpdateClick({"300", "0", "0", "7"}, 0, true);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_EQ(messages.shown[0].text, "Error!!! Check the Ip Address");
}

TEST_F(Boot, MissingIcmpPermissionSaysWhatTheSystemNeeds) {
  echo.fallback = {std::nullopt,
                   EchoFailure(EchoFailure::Kind::NotPermitted, "Operation not permitted. ping_group_range")};
  logic.Btn_UpdateClick(device, 0, true);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_NE(messages.shown[0].text.find("ping_group_range"), std::string::npos);
}

TEST_F(Boot, UpdaterThatCannotStartIsReported) {
  echo.fallback = {32};
  launcher.fail = true;
  logic.Btn_UpdateClick(device, 0, true);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("Ethernet_Update.exe"), std::string::npos);
}

TEST_F(Boot, UnwritableDescriptorStopsBeforeTheLaunch) {
  echo.fallback = {32};
  ProgramFolders gone = folders;
  gone.App_Dir = dir.file("missing");
  BootLogic elsewhere{gone, settings, conf, catalogue, messages, ports, record};
  elsewhere.Btn_UpdateClick(device, 2, true);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_NE(messages.shown[0].text.find("Ethernet_Update.xml"), std::string::npos);
  EXPECT_TRUE(launcher.launched.empty());
  EXPECT_EQ(settings.Last_IP_Address, "127.0.0.1"); // the device answered: the choice is kept
  EXPECT_EQ(elsewhere.Update_Option_Index, 2);
}

TEST_F(Boot, WaitEndsWithTheProcessOrTheLimit) {
  launcher.runs_ms = 3000;
  launcher.exit_code = 259; // any code ends the wait: the system reports the end
  auto ended = Start_Program(ports, "/x/updater");
  EXPECT_EQ(ended.kind, UpdateOutcome::Kind::UpdaterEnded);
  EXPECT_EQ(ended.exit_status, 259);
  EXPECT_GE(clock.slept_ms, 3000);
  launcher.runs_ms = 200000;
  clock.slept_ms = 0;
  EXPECT_EQ(Start_Program(ports, "/x/updater").kind, UpdateOutcome::Kind::UpdaterStillRunning);
  EXPECT_EQ(clock.slept_ms, 150000);
}

// Cancel, Escape or the close box during the probe: the probe ends in the
// request it is waiting on, and nothing is remembered, written, launched or
// shown, whether the device would have answered or stayed silent.
TEST_F(Boot, StopDuringTheProbeEndsItWithNothingWrittenLaunchedOrShown) {
  struct Case {
    std::optional<std::size_t> reply;
    std::size_t stop_in_request;
  };
  for (Case c : {Case{32, 1}, Case{std::nullopt, 1}, Case{std::nullopt, 3}}) {
    SCOPED_TRACE(testing::Message() << "reply " << c.reply.has_value() << ", stop in request "
                                    << c.stop_in_request);
    echo.fallback = {c.reply};
    echo.addresses.clear();
    during_probe = [&] {
      if (echo.addresses.size() == c.stop_in_request) logic.Stop();
    };
    const auto start = clock.now;
    EXPECT_EQ(logic.Btn_UpdateClick({"10", "0", "0", "7"}, 2, false), std::nullopt);
    EXPECT_EQ(echo.addresses.size(), c.stop_in_request);
    EXPECT_LT(clock.now - start, c.stop_in_request * kEchoTimeoutMs); // the last wait was cut short
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(stdfs::exists(dir.file("Ethernet_Update.xml")));
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_EQ(settings.Last_IP_Address, "192.168.2.205");
    EXPECT_EQ(logic.Update_Option_Index, 0);
    EXPECT_TRUE(logic.Update_Read_Back);
    EXPECT_FALSE(logic.running());
  }
  // The stop belonged to that probe: the next Execute runs in full.
  during_probe = nullptr;
  echo.fallback = {32};
  logic.Btn_UpdateClick(device, 0, true);
  EXPECT_EQ(launcher.launched.size(), 1u);
}

TEST_F(Boot, ExecuteInsideARunningHandOverDoesNothing) {
  echo.fallback = {32};
  int inner_calls = 0;
  during_probe = [&] {
    EXPECT_TRUE(logic.running());
    if (inner_calls++ == 0) {
      EXPECT_EQ(logic.Btn_UpdateClick(device, 1, false), std::nullopt);
    }
  };
  EXPECT_EQ(logic.Btn_UpdateClick(device, 0, true), (OctetTexts{"127", "0", "0", "1"}));
  EXPECT_GT(inner_calls, 0);
  EXPECT_EQ(echo.addresses.size(), 2u); // one probe: two requests
  EXPECT_EQ(launcher.launched.size(), 1u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(logic.Update_Option_Index, 0); // the outer choice, not the inner one
}

TEST_F(Boot, PrefillFromTheLastAddress) {
  EXPECT_EQ(logic.prefill(), (OctetTexts{"192", "168", "2", "205"}));
  settings.Last_IP_Address = "10.0.7";
  EXPECT_EQ(logic.prefill(), std::nullopt);
  settings.Last_IP_Address = "";
  EXPECT_EQ(logic.prefill(), std::nullopt);
}

// Hall A's device was moved to .11 by the last update of any configuration;
// this configuration, at .5 now, last sent its image with the address .9.
enum class Record { None, Earlier, Unreadable };

void write_configuration(const std::string& projects, Record record) {
  if (record == Record::Earlier) test::mark_sent(test::write_unit(projects, "A", test::set_at("10.0.0.9")));
  const std::string conf = test::write_unit(projects, "A", test::set_at("10.0.0.5"));
  if (record == Record::Unreadable) test::write_file(last_sent_path(conf), "short");
}

TEST_F(Boot, PrefillFromTheConfigurationsOwnRecordElseTheRememberedAddress) {
  struct Case {
    const char* name;
    Record record;
    OctetTexts expected;
  };
  const Case cases[] = {
      {"the device is where this configuration's last image sent put it",
       Record::Earlier,
       {"10", "0", "0", "9"}},
      // Never sent: the configured address is no more than a guess, and a
      // factory-fresh device answers elsewhere; the remembered one stays.
      {"no record", Record::None, {"10", "0", "0", "11"}},
      // What the device holds is unknown, so is its address.
      {"a record that is no image", Record::Unreadable, {"10", "0", "0", "11"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(test::fs_path(conf.Conf_Dir));
    write_configuration(folders.Projects_Dir, c.record);
    settings.Last_IP_Address = "10.0.0.11";
    EXPECT_EQ(logic.prefill(), c.expected);
  }
}

TEST_F(Boot, NoConfigurationOpenPrefillsTheRememberedAddressAndSaysNothingOfItsOwn) {
  OpenConfiguration none;
  BootLogic without{folders, settings, none, catalogue, messages, ports, record};
  EXPECT_EQ(without.prefill(), (OctetTexts{"192", "168", "2", "205"}));
  EXPECT_EQ(without.address_note({"10", "0", "0", "9"}, 0), AddressNote{});
}

TEST_F(Boot, AddressNoteSaysTheOwnAddressAndWhenTheDeviceMovesToIt) {
  write_configuration(folders.Projects_Dir, Record::Earlier);
  ASSERT_TRUE(logic.prefill());
  const std::string own = "Address of this configuration: 10.0.0.5";
  const std::string moves = "With this update the device moves to 10.0.0.5";
  struct Case {
    OctetTexts fields;
    int option;
    AddressNote expected;
  };
  const Case cases[] = {
      {{"10", "0", "0", "9"}, image::kFirmwareAndConfiguration, {own, moves}},
      {{"10", "0", "0", "9"}, image::kConfigurationOnly, {own, moves}},
      // The firmware alone leaves the device's configuration, its address with it.
      {{"10", "0", "0", "9"}, image::kFirmwareOnly, {own, ""}},
      {{"10", "0", "0", "5"}, image::kFirmwareAndConfiguration, {own, ""}},
      {{"010", "0", "0", "05"}, image::kFirmwareAndConfiguration, {own, ""}},
      // Half typed: no device to move yet.
      {{"10", "0", "0", ""}, image::kFirmwareAndConfiguration, {own, ""}},
      {{"10", "0", "300", "9"}, image::kFirmwareAndConfiguration, {own, ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(join_octets(c.fields) + " option " + std::to_string(c.option));
    EXPECT_EQ(logic.address_note(c.fields, c.option), c.expected);
  }
}

TEST_F(Boot, AddressNoteIsInTheCatalogueLanguageAndSilentForARefusedConfiguration) {
  write_configuration(folders.Projects_Dir, Record::Earlier);
  catalogue.Text_Table.Put(text_id::kOwnAddress, "Eigene Adresse %1");
  catalogue.Text_Table.Put(text_id::kDeviceMovesToOwnAddress, "Neu: %1");
  ASSERT_TRUE(logic.prefill());
  EXPECT_EQ(logic.address_note({"10", "0", "0", "9"}, 0),
            (AddressNote{"Eigene Adresse 10.0.0.5", "Neu: 10.0.0.5"}));
  // Step 4 refuses it: it gives the device no address.
  test::write_file(fs::join(conf.Conf_Dir, kParGenFile),
                   "<Par_Gen><MODBUS_SLAVE_IDDEVICE>0</MODBUS_SLAVE_IDDEVICE></Par_Gen>");
  EXPECT_EQ(logic.prefill(), (OctetTexts{"10", "0", "0", "9"})); // the device is still where it was put
  EXPECT_EQ(logic.address_note({"10", "0", "0", "9"}, 0), AddressNote{});
}

} // namespace
} // namespace lw
