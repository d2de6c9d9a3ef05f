// Opening a web address hands it to the desktop's opener without waiting
// for it, and leaves no zombie behind.
#include "child_process.h"
#include "platform/url_opener.h"
#include "temp_dir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

#ifdef _WIN32
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
