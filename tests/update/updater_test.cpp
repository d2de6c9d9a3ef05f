// Starting the updater and waiting for it, with stand-in updaters as child
// processes.
#include "fakes.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "program_folder.h"
#include "stand_in.h"
#include "update/updater.h"

#include <chrono>
#include <gtest/gtest.h>

namespace lw {
namespace {

using test::stand_in;

class StandInUpdater : public testing::Test, public test::ProgramFolder {
protected:
  SteadyClock clock;
  SystemLauncher launcher;
  test::FakeClock unused_clock;
  test::ScriptedEcho echo{unused_clock};
  UpdatePorts ports{echo, clock, launcher, {}, {}};
};

TEST_F(StandInUpdater, EndsAtOnceWithAnyCode) {
  std::string exe = stand_in(dir, 7, 0);
  auto outcome = Start_Program(ports, exe);
  EXPECT_EQ(outcome.kind, UpdateOutcome::Kind::UpdaterEnded);
  EXPECT_EQ(outcome.exit_status, 7);
  EXPECT_EQ(test::read_file(dir.file("args")), "0\n");
}

TEST_F(StandInUpdater, OutlivingTheLimitStopsTheWait) {
  std::string exe = stand_in(dir, 0, 5000);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Start_Program(ports, exe, 300).kind, UpdateOutcome::Kind::UpdaterStillRunning);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(StandInUpdater, MissingOrNotExecutableCannotStart) {
  auto missing = Start_Program(ports, dir.file("Ethernet_Update.exe"));
  EXPECT_EQ(missing.kind, UpdateOutcome::Kind::UpdaterNotStarted);
  EXPECT_NE(missing.system_text.find("Ethernet_Update.exe"), std::string::npos) << missing.system_text;
  test::write_file(dir.file("plain"), "data");
  auto plain = Start_Program(ports, dir.file("plain"));
  EXPECT_EQ(plain.kind, UpdateOutcome::Kind::UpdaterNotStarted);
#ifdef _WIN32
  const char* refusal = "Exec format error"; // not a program
#else
  const char* refusal = "Permission denied"; // not executable
#endif
  EXPECT_NE(plain.system_text.find(refusal), std::string::npos) << plain.system_text;
}

} // namespace
} // namespace lw
