// Starts the real configurator in a folder of its own, stops it the way a
// logout does, and checks what it left on disk.
#include "expected_files.h"
#include "child_process.h"
#include "temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using namespace std::chrono_literals;

std::string install_copy(const test::TempDir& dir) {
  std::string exe = dir.file("loomwork");
  stdfs::copy_file(LOOMWORK_EXE, exe);
  return exe;
}

const std::vector<std::string> kOffscreen = {"QT_QPA_PLATFORM=offscreen"};

class ProgramStop : public testing::TestWithParam<int> {};

TEST_P(ProgramStop, SignalClosesLikeTheCloseBoxAndWritesSettings) {
  test::TempDir dir;
  std::string exe = install_copy(dir);
  // Started from another folder: its own folders still go beside the executable.
  test::TempDir elsewhere;
  test::Child child(exe, {}, elsewhere.path(), kOffscreen);
  // Signalled as soon as the start-up has begun: the signal must still close
  // the window as its close box would.
  ASSERT_TRUE(test::wait_until([&] { return stdfs::is_directory(dir.file("LANGUAGE")); }, 20s));
  child.signal(GetParam());
  auto status = child.wait_for(20s);
  ASSERT_TRUE(status.has_value()) << "did not end after the signal";
  EXPECT_EQ(*status, 0);
  for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
    EXPECT_TRUE(stdfs::is_directory(dir.file(folder)));
  EXPECT_TRUE(stdfs::is_empty(elsewhere.path()));
  EXPECT_EQ(test::read_file(dir.file("Loomwork.xml")), test::kDefaultSettingsFile);
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramStop, testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return info.param == SIGTERM ? "SIGTERM" : "SIGINT"; });

TEST(ProgramStart, RemembersAConfigurationWhoseFolderWasDeleted) {
  test::TempDir dir;
  std::string exe = install_copy(dir);
  test::write_file(dir.file("Loomwork.xml"),
                   "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj>"
                   "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd></Conf_Settings>");
  test::Child child(exe, {}, dir.path(), kOffscreen);
  ASSERT_TRUE(test::wait_until([&] { return stdfs::is_directory(dir.file("LANGUAGE")); }, 20s));
  std::this_thread::sleep_for(500ms);
  child.signal(SIGTERM);
  ASSERT_EQ(child.wait_for(20s), 0);
  std::string xml = test::read_file(dir.file("Loomwork.xml"));
  EXPECT_NE(xml.find("<projectname>Gone</projectname>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<ipaddress>10.0.0.7</ipaddress>"), std::string::npos) << xml;
}

// A broken settings file is warned about in a box; a stop signal must end
// the program all the same, and the user's file stays set aside.
TEST(ProgramStart, StopSignalEndsItWhileTheStartWarningWaits) {
  test::TempDir dir;
  std::string exe = install_copy(dir);
  const std::string broken = "<Conf_Settings><lastproj><projectname>Site</projectname></lastproj";
  test::write_file(dir.file("Loomwork.xml"), broken);
  test::Child child(exe, {}, dir.path(), kOffscreen);
  auto aside = [&] {
    for (const auto& entry : stdfs::directory_iterator(dir.path()))
      if (entry.path().filename().string().starts_with("Loomwork.xml.unusable-"))
        return entry.path().string();
    return std::string();
  };
  ASSERT_TRUE(test::wait_until([&] { return !aside().empty(); }, 20s));
  std::this_thread::sleep_for(1s); // the warning is on screen by now
  child.signal(SIGTERM);
  auto status = child.wait_for(20s);
  ASSERT_TRUE(status.has_value()) << "did not end while the warning waited";
  EXPECT_EQ(*status, 0);
  EXPECT_EQ(test::read_file(aside()), broken);
  EXPECT_EQ(test::read_file(dir.file("Loomwork.xml")), test::kDefaultSettingsFile);
}

TEST(ProgramStart, WithoutADisplayEndsWithAClearMessage) {
  test::TempDir dir;
  std::string exe = install_copy(dir);
  std::string err = dir.file("err.txt");
  test::Child child("/bin/sh",
                    {"-c", "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + exe + " 2>" + err},
                    dir.path(), {});
  auto status = child.wait_for(20s);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 1);
  EXPECT_NE(test::read_file(err).find("xvfb-run"), std::string::npos);
}

} // namespace
} // namespace lw
