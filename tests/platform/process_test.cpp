// Launching a process that is left to run: it is reaped when it ends.
#include "child_process.h"
#include "platform/process.h"
#include "temp_dir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;

#ifdef _WIN32
TEST(SystemLauncher, ProcessLeftRunningIsReapedWhenItEnds) {
  GTEST_SKIP() << "Windows keeps no zombie of an ended process; its handle is closed with the watch";
}
#else
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
#endif

} // namespace
} // namespace lw
