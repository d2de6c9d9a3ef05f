// The adapters against the real system: ICMP echo to loopback, child
// processes as stand-in updaters.
#include "child_process.h"
#include "fakes.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "platform/url_opener.h"
#include "private_network.h"
#include "program_folder.h"
#include "stand_in.h"
#include "temp_dir.h"
#include "update/updater.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;
constexpr std::array<std::uint8_t, 4> kLoopback{127, 0, 0, 1};

TEST(IcmpEcho, LoopbackAnswers) {
  IcmpEchoClient client;
  try {
    int idles = 0;
    auto reply = client.echo(kLoopback, 400, [&] {
      ++idles;
      return true;
    });
    ASSERT_TRUE(reply.has_value());
    EXPECT_GT(*reply, 0u);
    EXPECT_TRUE(client.echo(kLoopback, 400, {}).has_value());
  } catch (const EchoFailure& e) {
    if (e.kind == EchoFailure::Kind::NotPermitted)
      GTEST_SKIP() << "this machine forbids ICMP sockets: " << e.what();
    throw;
  }
}

// In a private network namespace whose loopback ignores echo requests.
TEST(IcmpEcho, SilentDeviceTimesOut) {
  const test::PrivateNetworkRun run = test::in_private_network(
      [] {
        try {
          IcmpEchoClient client;
          auto start = std::chrono::steady_clock::now();
          auto reply = client.echo(kLoopback, 400, {});
          auto took = std::chrono::steady_clock::now() - start;
          if (reply || took < std::chrono::milliseconds(390)) return std::string("R");
          // Told to stop, the wait ends at that look, without a reply.
          int looks = 0;
          auto stopped = client.echo(kLoopback, 400, [&] { return ++looks < 3; });
          return std::string(!stopped && looks == 3 ? "T" : "W");
        } catch (const EchoFailure& e) {
          return "P" + std::string(e.what());
        }
      },
      true);
  if (run.unavailable) {
    GTEST_SKIP() << "no private network namespace with a silent loopback here: " << *run.unavailable;
  }
  if (run.output.starts_with("P")) {
    GTEST_SKIP() << "this machine forbids ICMP sockets: " << run.output.substr(1);
  }
  EXPECT_NE(run.output, "R") << "an echo request in the silent namespace got a reply";
  EXPECT_NE(run.output, "W") << "the wait went on after it was told to stop";
  EXPECT_EQ(run.output, "T");
}

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

namespace lw {
namespace {

#ifdef _WIN32
TEST(SystemLauncher, ProcessLeftRunningIsReapedWhenItEnds) {
  GTEST_SKIP() << "Windows keeps no zombie of an ended process; its handle is closed with the watch";
}

TEST(DesktopUrlOpener, ReturnsWhileTheOpenerRunsAndLeavesNoZombie) {
  GTEST_SKIP() << "the shell hands the address over and returns; there is no opener process to watch";
}
#else
std::string script(const test::TempDir& dir, const std::string& name, const std::string& body) {
  std::string path = dir.file(name);
  test::write_file(path, "#!/bin/sh\n" + body + "\n");
  stdfs::permissions(path, stdfs::perms::owner_all);
  return path;
}

TEST(SystemLauncher, ProcessLeftRunningIsReapedWhenItEnds) {
  test::TempDir dir;
  std::string exe = dir.file("short");
  test::write_file(exe, "#!/bin/sh\nsleep 0.3\n");
  stdfs::permissions(exe, stdfs::perms::owner_all);
  SystemLauncher launcher;
  pid_t pid = 0;
  {
    auto process = launcher.launch(exe);
    EXPECT_EQ(process->ended(), std::nullopt);
    // The process id is the child's; find it through /proc before letting go.
    for (const auto& e : stdfs::directory_iterator("/proc")) {
      std::string name = e.path().filename().string();
      if (name.find_first_not_of("0123456789") != std::string::npos) continue;
      std::ifstream stat(e.path() / "stat");
      std::string line;
      std::getline(stat, line);
      if (line.find("(short)") != std::string::npos) {
        std::ifstream status(e.path() / "status");
        std::string l;
        while (std::getline(status, l))
          if (l.starts_with("PPid:") && std::stoi(l.substr(5)) == ::getpid()) pid = std::stoi(name);
      }
    }
  }
  ASSERT_NE(pid, 0);
  // Once it has ended, nothing is left of it: no zombie waits for us.
  ASSERT_TRUE(test::wait_until([&] { return !stdfs::exists("/proc/" + std::to_string(pid)); },
                               std::chrono::seconds(5)));
}

// Running and not a zombie waiting for its parent.
bool running(const std::string& pid) {
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  auto close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

// An opener that stays until it is told to go, as xdg-open may while the
// browser it started runs: the window must not wait for it.
TEST(DesktopUrlOpener, ReturnsWhileTheOpenerRunsAndLeavesNoZombie) {
  test::TempDir dir;
  std::string opener =
      script(dir, "opener",
             "d=\"$(dirname \"$0\")\"; printf '%s' \"$1\" > \"$d/url\"\n"
             "echo $$ > \"$d/pid.tmp\"; mv \"$d/pid.tmp\" \"$d/pid\"\n"
             "i=0; while [ ! -e \"$d/release\" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done");
  const std::string url = "http://example.invalid/a b?x=1&y=\"2\"";
  ASSERT_TRUE(DesktopUrlOpener(opener).open(url));
  ASSERT_TRUE(test::wait_until([&] { return stdfs::exists(dir.file("pid")); }, std::chrono::seconds(5)));
  std::string pid = test::read_file(dir.file("pid"));
  pid.erase(pid.find_last_not_of("\n") + 1);
  EXPECT_TRUE(running(pid)) << "open() returned only once the opener had ended";
  EXPECT_EQ(test::read_file(dir.file("url")), url); // one argument, no shell
  test::write_file(dir.file("release"), "");
  EXPECT_TRUE(test::wait_until([&] { return !stdfs::exists("/proc/" + pid); }, std::chrono::seconds(5)))
      << "the opener ended but was never reaped";
}
#endif

TEST(DesktopUrlOpener, MissingOpenerIsAFailure) {
  test::TempDir dir;
  EXPECT_FALSE(DesktopUrlOpener(dir.file("no-such-opener")).open("http://example.invalid/"));
}

} // namespace
} // namespace lw
