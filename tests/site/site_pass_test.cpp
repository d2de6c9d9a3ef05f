#include "core/identity.h"
#include "echo_network.h"
#include "fakes.h"
#include "image/compiler.h"
#include "platform/appender.h"
#include "platform/files.h"
#include "platform/process.h"
#include "private_network.h"
#include "site/site_pass.h"
#include "site_units.h"
#include "stand_in.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using Device = test::FakeNetwork::Device;
using Kind = UpdateOutcome::Kind;

TextTable english() {
  TextTable texts;
  texts.Fill_English_Texts();
  return texts;
}

const char* step_name(UpdateStep step) {
  switch (step) {
  case UpdateStep::ImageWritten: return "image";
  case UpdateStep::Probing: return "probe";
  case UpdateStep::Answered: return "answered";
  case UpdateStep::DescriptorWritten: return "descriptor";
  case UpdateStep::StartingUpdater: return "updater";
  }
  return "?";
}

// The program's folder with its PROJECTS and MASTER, the stand-in as its
// updater, and a pass over the units of its site.
class Pass : public testing::Test {
protected:
  void SetUp() override {
    stdfs::create_directories(test::fs_path(dir.file("MASTER")));
    stdfs::create_directories(test::fs_path(projects));
  }
  std::vector<UnitStatus> site() const { return site_status(projects, texts); }
  PassSummary run(const std::vector<PassUnit>& units) {
    return Run_Pass(units, settings, texts, ports, record, watch);
  }
  std::string log_of(const std::string& name) const {
    const std::string path = update_log_path(fs::join(projects, name));
    return stdfs::exists(test::fs_path(path)) ? test::read_file(path) : std::string();
  }
  std::string last_line_of(const std::string& name) const {
    std::string log = log_of(name);
    if (log.size() > 2) log.resize(log.size() - 2);
    return log.substr(log.rfind('\n') + 1);
  }

  test::TempDir dir;
  std::string projects = dir.file("PROJECTS");
  TextTable texts = english();
  test::FakeNetwork network;
  test::NetworkEcho echo{network};
  test::SkippingClock clock;
  SystemLauncher launcher;
  bool cancel = false;
  std::vector<std::string> events;
  UpdatePorts ports{echo, clock, launcher, {}, {}, [](bool) {}, [](UpdateStep) {}, [this] { return cancel; }};
  test::FakeWallClock wall;
  FileAppender appender;
  RecordPorts record{wall, appender};
  PassSettings settings{0, true, dir.file("MASTER"), dir.path()};
  PassWatch watch{
      [this](std::size_t i) { events.push_back("start " + std::to_string(i)); },
      [this](std::size_t i, UpdateStep s) { events.push_back(std::to_string(i) + " " + step_name(s)); },
      [this](std::size_t i, const PassUnitResult& r) {
        events.push_back("end " + std::to_string(i) + " " + std::to_string(static_cast<int>(r.verdict)));
      }};
};

std::string end_event(std::size_t unit, UnitVerdict verdict) {
  return "end " + std::to_string(unit) + " " + std::to_string(static_cast<int>(verdict));
}

TEST_F(Pass, EachUnitInTurnAFailureGoesOnARefusalIsNeverSent) {
  // Moved: the device took an image at .9 and the configuration now puts it at .1.
  test::mark_sent(test::write_unit(projects, "a-moved", test::set_at("10.0.0.9")));
  test::write_unit(projects, "a-moved", test::set_at("10.0.0.1"));
  test::write_unit(projects, "b-silent", test::set_at("10.0.0.2"));
  test::write_unit(projects, "c-failing", test::set_at("10.0.0.3"));
  Par_Gen_Set refused = test::set_at("10.0.0.4");
  refused.MODBUS_SLAVE_IDDEVICE = "0";
  test::write_unit(projects, "d-refused", refused);
  test::write_unit(projects, "e-fresh", test::set_at("10.0.0.5"));
  network.set("10.0.0.9", Device::Answers);
  network.set("10.0.0.3", Device::Answers);
  network.set("10.0.0.4", Device::Answers);
  network.set("10.0.0.55", Device::Answers);
  test::stand_in_failing_for(dir, "10.0.0.3", 5);

  std::vector<PassUnit> units;
  for (const UnitStatus& status : site())
    units.push_back(pass_unit(status));
  ASSERT_EQ(units.size(), 5u);
  EXPECT_EQ(units[0].address, "10.0.0.9");
  EXPECT_EQ(units[3].state, UnitState::Refused);
  // A factory-fresh device, its address typed by the engineer.
  units[4].address = "10.0.0.55";

  const PassSummary summary = run(units);
  const UnitVerdict expected[] = {UnitVerdict::Updated, UnitVerdict::NotFound, UnitVerdict::Failed,
                                  UnitVerdict::Refused, UnitVerdict::Updated};
  ASSERT_EQ(summary.results.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(summary.results[i].verdict, expected[i]) << units[i].name;
  EXPECT_EQ(summary.results[2].outcome->kind, Kind::UpdaterEnded);
  EXPECT_EQ(summary.results[2].outcome->exit_status, 5);
  EXPECT_FALSE(summary.results[3].outcome) << "a refused unit is never tried";
  EXPECT_EQ(summary.count(UnitVerdict::Updated), 2u);
  EXPECT_EQ(summary.count(UnitVerdict::NotFound), 1u);
  EXPECT_EQ(summary.count(UnitVerdict::Failed), 1u);
  EXPECT_EQ(summary.count(UnitVerdict::Refused), 1u);
  EXPECT_EQ(summary.count(UnitVerdict::NotStarted), 0u);
  EXPECT_EQ(summary.failed, (std::vector<std::size_t>{1, 2}));
  EXPECT_FALSE(summary.cancelled);

  // One unit after the other, each through step 4's stages.
  const std::vector<std::string> full = {"image", "probe", "answered", "descriptor", "updater"};
  std::vector<std::string> expected_events;
  for (std::size_t i = 0; i < units.size(); ++i) {
    expected_events.push_back("start " + std::to_string(i));
    std::vector<std::string> steps = full;
    if (i == 1) steps.resize(2);
    if (i == 3) steps.clear();
    for (const std::string& step : steps)
      expected_events.push_back(std::to_string(i) + " " + step);
    expected_events.push_back(end_event(i, expected[i]));
  }
  EXPECT_EQ(events, expected_events);
  // Each probed at its address now, or the one typed; the refused one never.
  EXPECT_EQ(network.asked(), (std::vector<std::string>{"10.0.0.9", "10.0.0.2", "10.0.0.3", "10.0.0.55"}));

  // The record, as step 4 keeps it.
  EXPECT_NE(last_line_of("a-moved").find("10.0.0.9,"), std::string::npos) << last_line_of("a-moved");
  EXPECT_NE(last_line_of("a-moved").find("updater ended,0"), std::string::npos) << last_line_of("a-moved");
  EXPECT_NE(last_line_of("b-silent").find("device not found"), std::string::npos) << last_line_of("b-silent");
  EXPECT_NE(last_line_of("c-failing").find("updater ended,5"), std::string::npos)
      << last_line_of("c-failing");
  EXPECT_EQ(log_of("d-refused"), "");
  EXPECT_FALSE(stdfs::exists(test::fs_path(image::bank_file_path(fs::join(projects, "d-refused")))));
  EXPECT_NE(last_line_of("e-fresh").find("10.0.0.55,"), std::string::npos) << last_line_of("e-fresh");

  // What the site says now: the updated units are where their images put them.
  const std::vector<UnitStatus> after = site();
  EXPECT_EQ(after[0].state, UnitState::UpToDate);
  EXPECT_EQ(dotted(*after[0].address_now), "10.0.0.1");
  EXPECT_EQ(after[1].state, UnitState::NeverSent);
  EXPECT_EQ(after[2].state, UnitState::NeverSent);
  EXPECT_EQ(after[4].state, UnitState::UpToDate);
  EXPECT_EQ(dotted(*after[4].address_now), "10.0.0.5");
  EXPECT_EQ(select_units(after, Selection::Failed), (std::vector<std::size_t>{1, 2}));
}

TEST_F(Pass, CancelStopsTheRunningProbeAndStartsNoFurtherUnit) {
  test::write_unit(projects, "a", test::set_at("10.0.0.1"));
  test::write_unit(projects, "b", test::set_at("10.0.0.2"));
  test::write_unit(projects, "c", test::set_at("10.0.0.3"));
  network.set("10.0.0.1", Device::Answers);
  network.set("10.0.0.2", Device::Held);
  network.set("10.0.0.3", Device::Answers);
  // The engineer presses Cancel while b is probed.
  network.on_request([this](const std::string& address) { cancel = cancel || address == "10.0.0.2"; });
  test::stand_in(dir, 0);
  std::vector<PassUnit> units;
  for (const UnitStatus& status : site())
    units.push_back(pass_unit(status));

  const PassSummary summary = run(units);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(summary.results[0].verdict, UnitVerdict::Updated);
  EXPECT_EQ(summary.results[1].verdict, UnitVerdict::Cancelled);
  EXPECT_EQ(summary.results[2].verdict, UnitVerdict::NotStarted);
  EXPECT_EQ(summary.count(UnitVerdict::NotStarted), 1u);
  EXPECT_TRUE(summary.failed.empty()) << "a unit stopped by Cancel did not fail";
  EXPECT_EQ(events.back(), end_event(1, UnitVerdict::Cancelled));
  EXPECT_EQ(network.asked(), (std::vector<std::string>{"10.0.0.1", "10.0.0.2"}));
  EXPECT_NE(last_line_of("b").find(",cancelled,"), std::string::npos) << last_line_of("b");
  EXPECT_EQ(log_of("c"), "");
  EXPECT_FALSE(stdfs::exists(test::fs_path(image::bank_file_path(fs::join(projects, "c")))));
}

TEST_F(Pass, CancelDuringTheUpdaterLetsItEndAndStartsNoFurtherUnit) {
  test::write_unit(projects, "a", test::set_at("10.0.0.1"));
  test::write_unit(projects, "b", test::set_at("10.0.0.2"));
  network.set("10.0.0.1", Device::Answers);
  network.set("10.0.0.2", Device::Answers);
  test::stand_in(dir, 0, 300);
  watch.progress = [this](std::size_t, UpdateStep step) {
    cancel = cancel || step == UpdateStep::StartingUpdater;
  };
  std::vector<PassUnit> units;
  for (const UnitStatus& status : site())
    units.push_back(pass_unit(status));

  const PassSummary summary = run(units);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(summary.results[0].verdict, UnitVerdict::Updated) << "the running updater was waited for";
  EXPECT_EQ(summary.results[1].verdict, UnitVerdict::NotStarted);
  EXPECT_EQ(network.asked(), (std::vector<std::string>{"10.0.0.1"}));
}

TEST(PassVerdict, EachOutcomeKindHasItsVerdict) {
  struct Case {
    UpdateOutcome outcome;
    UnitVerdict verdict;
  };
  const Case cases[] = {
      {{Kind::UpdaterEnded, 0, {}}, UnitVerdict::Updated},
      {{Kind::UpdaterEnded, 1, {}}, UnitVerdict::Failed},
      {{Kind::UpdaterStillRunning, 0, {}}, UnitVerdict::StillRunning},
      {{Kind::Silent, 0, {}}, UnitVerdict::NotFound},
      {{Kind::Cancelled, 0, {}}, UnitVerdict::Cancelled},
      {{Kind::TestFailed, 0, "no"}, UnitVerdict::Failed},
      {{Kind::ImageNotWritten, 0, "no"}, UnitVerdict::Failed},
      {{Kind::UnusableAddress, 0, {}}, UnitVerdict::Failed},
      {{Kind::NotPermitted, 0, {}}, UnitVerdict::Failed},
      {{Kind::SendFailed, 0, {}}, UnitVerdict::Failed},
      {{Kind::DescriptorNotWritten, 0, {}}, UnitVerdict::Failed},
      {{Kind::UpdaterNotStarted, 0, {}}, UnitVerdict::Failed},
  };
  for (const Case& c : cases)
    EXPECT_EQ(verdict_of(c.outcome), c.verdict) << static_cast<int>(c.outcome.kind);
}

TEST(SiteSelection, PicksByStateAndLastAttemptAmongSendableUnits) {
  auto unit = [](UnitState state, std::optional<bool> last_succeeded = std::nullopt) {
    UnitStatus status;
    status.state = state;
    if (last_succeeded) {
      LastAttempt attempt;
      attempt.logged.outcome = "updater ended";
      attempt.logged.exit_status = *last_succeeded ? "0" : "3";
      status.last_attempt = attempt;
    }
    return status;
  };
  const std::vector<UnitStatus> units = {
      unit(UnitState::Changed, true),           // 0
      unit(UnitState::NeverSent, false),        // 1
      unit(UnitState::UpToDate, false),         // 2
      unit(UnitState::Refused, false),          // 3: never sent, whatever its log
      unit(UnitState::Changed),                 // 4
      unit(UnitState::NeverSent),               // 5
      unit(UnitState::RecordUnreadable, false), // 6
      unit(UnitState::NotConfiguration),        // 7
  };
  EXPECT_EQ(select_units(units, Selection::Changed), (std::vector<std::size_t>{0, 4}));
  EXPECT_EQ(select_units(units, Selection::NeverSent), (std::vector<std::size_t>{1, 5}));
  EXPECT_EQ(select_units(units, Selection::Failed), (std::vector<std::size_t>{1, 2, 6}));
}

// The real echo and the real updater's stand-in in a network of its own:
// 127.0.0.x answers, 10.9.9.9 is silent, and the updater fails for one device.
TEST(PassSystem, SilentUnitSkippedFailingUnitGoesOn) {
  test::TempDir dir;
  const std::string projects = dir.file("PROJECTS");
  stdfs::create_directories(test::fs_path(dir.file("MASTER")));
  test::write_unit(projects, "a", test::set_at("127.0.0.2"));
  test::write_unit(projects, "b", test::set_at("10.9.9.9"));
  test::write_unit(projects, "c", test::set_at("127.0.0.3"));
  test::write_unit(projects, "d", test::set_at("127.0.0.4"));
  test::stand_in_failing_for(dir, "127.0.0.3", 7);
  const TextTable texts = english();
  std::vector<PassUnit> units;
  for (const UnitStatus& status : site_status(projects, texts))
    units.push_back(pass_unit(status));

  const test::PrivateNetworkRun run = test::in_private_network([&] {
    IcmpEchoClient echo;
    SteadyClock clock;
    SystemLauncher launcher;
    const UpdatePorts ports{echo, clock, launcher, {}, {}};
    SystemWallClock wall;
    FileAppender appender;
    RecordPorts record{wall, appender};
    const PassSummary summary =
        Run_Pass(units, {0, true, dir.file("MASTER"), dir.path()}, texts, ports, record);
    std::string out;
    for (const PassUnitResult& result : summary.results)
      out += result.outcome && result.outcome->kind == Kind::NotPermitted
                 ? 'N'
                 : static_cast<char>('0' + static_cast<int>(result.verdict));
    return out;
  });
  if (run.unavailable) {
    GTEST_SKIP() << "no private network here: " << *run.unavailable;
  }
  if (run.output.find('N') != std::string::npos) {
    GTEST_SKIP() << "this machine forbids ICMP sockets";
  }
  std::string expected;
  for (UnitVerdict v :
       {UnitVerdict::Updated, UnitVerdict::NotFound, UnitVerdict::Failed, UnitVerdict::Updated})
    expected += static_cast<char>('0' + static_cast<int>(v));
  EXPECT_EQ(run.output, expected);
  EXPECT_TRUE(stdfs::exists(test::fs_path(last_sent_path(fs::join(projects, "a")))));
  EXPECT_FALSE(stdfs::exists(test::fs_path(last_sent_path(fs::join(projects, "c")))));
}

} // namespace
} // namespace lw
