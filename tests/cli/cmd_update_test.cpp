#include "cli.h"
#include "formats/errors.h"
#include "formats/sha256.h"
#include "platform/icmp_echo.h"
#include "program_folder.h"
#include "stand_in.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

bool icmp_permitted() {
  try {
    IcmpEchoClient client;
    client.echo({127, 0, 0, 1}, 400, {});
    return true;
  } catch (const EchoFailure&) {
    return false;
  }
}

class CliUpdate : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override { open_configuration("A"); }
  int run(cli::Args args) {
    std::ostringstream o, e;
    cli::Io io{o, e, dir.path()};
    int status = cli::run(args, io);
    out = o.str();
    err = e.str();
    return status;
  }
  std::string conf = dir.file("PROJECTS/A");
  std::string out, err;
};

TEST_F(CliUpdate, WholeStepAgainstLoopback) {
  if (!icmp_permitted()) GTEST_SKIP() << "this machine forbids ICMP sockets";
  test::stand_in(dir, 5);
  ASSERT_EQ(run({"update", conf, "--ip", "127.0.0.1", "--option", "1"}), 4)
      << err; // the updater's 5 is a failure
  EXPECT_NE(out.find("device answered\n"), std::string::npos) << out;
  EXPECT_NE(out.find("updater ended with exit status 5\n"), std::string::npos) << out;
  EXPECT_EQ(stdfs::file_size(conf + "/bin/bank.bin"), 2560u);
  std::string seen = test::read_file(dir.file("seen.xml"));
  EXPECT_NE(seen.find("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"), std::string::npos);
  EXPECT_EQ(seen.find("bank.bin"), std::string::npos); // firmware only
}

// The companion's attempts go into the same log, and the image its updater
// took is kept; a log that can't be written is said on stderr and the
// update runs all the same.
TEST_F(CliUpdate, AttemptsAreLoggedAndTheImageSentKept) {
  if (!icmp_permitted()) GTEST_SKIP() << "this machine forbids ICMP sockets";
  test::stand_in(dir, 5);
  ASSERT_EQ(run({"update", conf, "--ip", "127.000.0.1", "--option", "2", "--no-read-back"}), 4) << err;
  std::string image = test::read_file(conf + "/bin/bank.bin");
  EXPECT_FALSE(stdfs::exists(conf + "/bin/last-sent.bin")); // the updater's 5: not known to be sent
  std::vector<stdfs::path> sent;
  for (const auto& e : stdfs::directory_iterator(conf + "/bin/sent"))
    sent.push_back(e.path());
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(test::read_file(test::utf8(sent[0])), image);
  EXPECT_EQ(run({"update", conf, "--ip", "127.0.0.300"}), 2);
  std::string log = test::read_file(conf + "/update-log.csv");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(log.substr(at, end - at));
  ASSERT_EQ(lines.size(), 3u) << log;
  EXPECT_EQ(lines[0], "time,address,option,read_back,checksum,sha256,outcome,exit_status,detail");
  EXPECT_NE(lines[1].find(",127.0.0.1,configuration,no,0x"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("," + sha256_hex(image) + ",updater ended,5,"), std::string::npos) << lines[1];
  // Refused before an image was written: no image columns.
  EXPECT_NE(lines[2].find(",127.0.0.300,firmware+configuration,yes,,,unusable address,,"), std::string::npos)
      << lines[2];

  stdfs::remove(conf + "/update-log.csv");
  stdfs::create_directory(conf + "/update-log.csv");
  stdfs::remove(dir.file("args"));
  EXPECT_EQ(run({"update", conf, "--ip", "127.0.0.1"}), 4);
  EXPECT_TRUE(stdfs::exists(dir.file("args"))); // it ran all the same
  EXPECT_NE(err.find("update log not written: Cannot write " + dir.file("PROJECTS/A/update-log.csv")),
            std::string::npos)
      << err;
}

TEST_F(CliUpdate, MissingUpdaterIsAFailure) {
  if (!icmp_permitted()) GTEST_SKIP() << "this machine forbids ICMP sockets";
  EXPECT_EQ(run({"update", conf, "--ip", "127.0.0.1"}), 1);
  EXPECT_NE(err.find("Ethernet_Update.exe"), std::string::npos) << err;
}

TEST_F(CliUpdate, UnusableAddress) {
  EXPECT_EQ(run({"update", conf, "--ip", "127.0.0.300"}), 2);
  EXPECT_NE(out.find("Error!!! Check the Ip Address\n"), std::string::npos) << out;
  EXPECT_FALSE(stdfs::exists(dir.file("Ethernet_Update.xml")));
  EXPECT_FALSE(stdfs::exists(conf + "/bin/bank.bin")); // refused before anything is written
}

TEST_F(CliUpdate, ImageThatCannotBeWrittenStopsFirst) {
  stdfs::remove(conf + "/bin");
  test::write_file(conf + "/bin", "in the way");
  EXPECT_EQ(run({"update", conf, "--ip", "127.0.0.1"}), 1);
  EXPECT_NE(err.find("Not a directory"), std::string::npos) << err;
  EXPECT_EQ(out.find("probing"), std::string::npos) << out;
  EXPECT_EQ(run({"update", conf}), 2);
}

} // namespace
} // namespace lw
