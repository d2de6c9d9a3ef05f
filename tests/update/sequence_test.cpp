#include "fakes.h"
#include "temp_dir.h"
#include "update/sequence.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using Kind = UpdateOutcome::Kind;
using Step = UpdateStep;

struct StageCase {
  const char* name;
  const char* address = "127.0.0.1";
  bool bin_blocked = false;      // a file where the bin folder belongs
  const char* par_gen = nullptr; // ParGen.xml as stored, when there is one
  const char* dmx = nullptr;     // DMX_Default_Values.xml as stored
  const char* message = nullptr; // the outcome's text, where the case names it
  bool app_dir = true;
  std::optional<std::size_t> reply = 32;
  std::optional<EchoFailure::Kind> failure = std::nullopt;
  bool updater_starts = true;
  std::uint64_t updater_runs_ms = 0;
  std::size_t stop_in_request = 0; // the caller stops the probe inside this request's wait; 0: never
  Kind expected;
  std::vector<Step> steps;
  bool system_text = false; // the outcome carries the system's text
};

// Notes what lies on disk when the updater is started.
class WatchingLauncher : public test::FakeLauncher {
public:
  using FakeLauncher::FakeLauncher;
  std::unique_ptr<RunningProcess> launch(const std::string& program) override {
    for (const auto& file : watched)
      present_at_launch.push_back(stdfs::exists(file));
    return FakeLauncher::launch(program);
  }
  std::vector<std::string> watched;
  std::vector<bool> present_at_launch;
};

class Sequence : public testing::TestWithParam<StageCase> {
protected:
  void SetUp() override { stdfs::create_directories(conf + "/bin"); }
  test::TempDir dir;
  std::string conf = dir.file("PROJECTS/A");
  test::FakeClock clock;
  test::ScriptedEcho echo{clock};
  WatchingLauncher launcher{clock};
  std::vector<Step> steps;
  bool stop = false;
  std::size_t stop_in_request = 0;
  UpdatePorts ports{echo,
                    clock,
                    launcher,
                    [this] { stop = stop || echo.addresses.size() == stop_in_request; },
                    {},
                    [](bool) {},
                    [this](Step s) { steps.push_back(s); },
                    [this] { return stop; }};
};

TEST_P(Sequence, StagesRunInOrderAndStopAtTheFirstFailure) {
  const StageCase& c = GetParam();
  if (c.bin_blocked) {
    stdfs::remove(conf + "/bin");
    test::write_file(conf + "/bin", "in the way");
  }
  echo.fallback = {c.reply,
                   c.failure ? std::optional(EchoFailure(*c.failure, "system says no")) : std::nullopt};
  launcher.fail = !c.updater_starts;
  launcher.runs_ms = c.updater_runs_ms;
  launcher.exit_code = 5;
  stop_in_request = c.stop_in_request;
  HandOverRequest request{c.address,          0,    true,
                          dir.file("MASTER"), conf, c.app_dir ? dir.path() : dir.file("missing")};
  launcher.watched = {conf + "/bin/bank.bin", dir.file("Ethernet_Update.xml")};
  if (c.par_gen) test::write_file(conf + "/ParGen.xml", c.par_gen);
  if (c.dmx) test::write_file(conf + "/DMX_Default_Values.xml", c.dmx);
  TextTable texts;
  texts.Fill_English_Texts();

  UpdateOutcome outcome = Run_Update(configuration_files(conf), texts, request, ports);

  EXPECT_EQ(outcome.kind, c.expected);
  EXPECT_EQ(steps, c.steps);
  EXPECT_EQ(outcome.system_text.empty(), !c.system_text) << outcome.system_text;
  if (c.message) {
    EXPECT_EQ(outcome.system_text, c.message);
  }
  EXPECT_EQ(stdfs::is_regular_file(conf + "/bin/bank.bin"), !c.steps.empty());
  bool probed = std::find(c.steps.begin(), c.steps.end(), Step::Probing) != c.steps.end();
  EXPECT_EQ(echo.addresses.empty(), !probed || c.expected == Kind::UnusableAddress);
  bool described = std::find(c.steps.begin(), c.steps.end(), Step::DescriptorWritten) != c.steps.end();
  EXPECT_EQ(stdfs::exists(dir.file("Ethernet_Update.xml")), described);
  if (described) {
    EXPECT_EQ(launcher.launched, std::vector<std::string>{dir.file("Ethernet_Update.exe")});
    EXPECT_EQ(launcher.present_at_launch, (std::vector<bool>{true, true}));
  } else {
    EXPECT_TRUE(launcher.launched.empty());
  }
  if (c.expected == Kind::UpdaterEnded) {
    EXPECT_EQ(outcome.exit_status, 5);
  }
  if (c.stop_in_request) {
    EXPECT_EQ(echo.addresses.size(), c.stop_in_request); // no request after the stop
  }
}

constexpr Step kAll[] = {Step::ImageWritten, Step::Probing, Step::Answered, Step::DescriptorWritten,
                         Step::StartingUpdater};
std::vector<Step> first(std::size_t n) { return {kAll, kAll + n}; }

INSTANTIATE_TEST_SUITE_P(
    Cases, Sequence,
    testing::Values(StageCase{.name = "updater_ends", .expected = Kind::UpdaterEnded, .steps = first(5)},
                    StageCase{.name = "updater_outlives_the_wait",
                              .updater_runs_ms = 200000,
                              .expected = Kind::UpdaterStillRunning,
                              .steps = first(5)},
                    StageCase{.name = "image_not_written",
                              .bin_blocked = true,
                              .expected = Kind::ImageNotWritten,
                              .steps = {},
                              .system_text = true},
                    // A stored index the editor can't show must not reach the image as 255.
                    StageCase{.name = "blank_choice_refused",
                              .par_gen = "<Par_Gen><MODBUS_SLAVE_PARITY>3</MODBUS_SLAVE_PARITY></Par_Gen>",
                              .message = "Modbus Slave / Parity: Select Parity to use in serial",
                              .expected = Kind::TestFailed,
                              .steps = {},
                              .system_text = true},
                    StageCase{.name = "dmx_value_refused",
                              .par_gen = "<Par_Gen><DMX_Num_Channels>24</DMX_Num_Channels></Par_Gen>",
                              .dmx = "<D><Row Default_Value=\"0\"/><Row Default_Value=\"256\"/></D>",
                              .message = "Error row 2!! Default Value must be between 0 and 255",
                              .expected = Kind::TestFailed,
                              .steps = {},
                              .system_text = true},
                    StageCase{.name = "address_without_four_parts",
                              .address = "127.0.1",
                              .expected = Kind::UnusableAddress,
                              .steps = {}},
                    StageCase{.name = "address_out_of_range",
                              .address = "127.0.0.300",
                              .expected = Kind::UnusableAddress,
                              .steps = {}},
                    StageCase{
                        .name = "silent", .reply = std::nullopt, .expected = Kind::Silent, .steps = first(2)},
                    StageCase{.name = "stopped_while_the_device_answers",
                              .stop_in_request = 1,
                              .expected = Kind::Cancelled,
                              .steps = first(2)},
                    StageCase{.name = "stopped_while_the_device_is_silent",
                              .reply = std::nullopt,
                              .stop_in_request = 3,
                              .expected = Kind::Cancelled,
                              .steps = first(2)},
                    StageCase{.name = "not_permitted",
                              .failure = EchoFailure::Kind::NotPermitted,
                              .expected = Kind::NotPermitted,
                              .steps = first(2),
                              .system_text = true},
                    StageCase{.name = "send_failed",
                              .failure = EchoFailure::Kind::SendFailed,
                              .expected = Kind::SendFailed,
                              .steps = first(2),
                              .system_text = true},
                    StageCase{.name = "descriptor_not_written",
                              .app_dir = false,
                              .expected = Kind::DescriptorNotWritten,
                              .steps = first(3),
                              .system_text = true},
                    StageCase{.name = "updater_not_started",
                              .updater_starts = false,
                              .expected = Kind::UpdaterNotStarted,
                              .steps = first(5),
                              .system_text = true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw
