#include "cli_run.h"
#include "core/identity.h"
#include "folder_tree.h"
#include "image/compiler.h"
#include "platform/files.h"
#include "private_cli_run.h"
#include "site_units.h"
#include "stand_in.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using nlohmann::json;
using test::run_cli;

Par_Gen_Set refused_set(const std::string& address) {
  Par_Gen_Set set = test::set_at(address);
  set.MODBUS_SLAVE_IDDEVICE = "0";
  return set;
}

// The program's folder: its PROJECTS and MASTER, and the stand-in as its
// updater.
class CliUpdateSite : public testing::Test {
protected:
  void SetUp() override {
    stdfs::create_directories(test::fs_path(dir.file("MASTER")));
    stdfs::create_directories(test::fs_path(projects));
  }
  std::string conf(const std::string& name) const { return fs::join(projects, name); }
  bool logged(const std::string& name) const {
    return stdfs::exists(test::fs_path(update_log_path(conf(name))));
  }
  json site() const { return json::parse(run_cli(dir.path(), {"site", projects, "--json"}).out).at("units"); }

  test::TempDir dir;
  std::string projects = dir.file("PROJECTS");
};

// In a network of its own: 127.0.0.x answers, 10.9.9.9 stays silent, and
// the updater fails for one device.
TEST_F(CliUpdateSite, EachUnitInTurnAFailureGoesOnTheRefusedNeverSent) {
  test::write_unit(projects, "a", test::set_at("127.0.0.2"));
  test::write_unit(projects, "b", test::set_at("10.9.9.9"));
  test::write_unit(projects, "c", test::set_at("127.0.0.3"));
  test::write_unit(projects, "d", refused_set("127.0.0.4"));
  stdfs::create_directories(test::fs_path(dir.file("PROJECTS/e-notes")));
  test::stand_in_failing_for(dir, "127.0.0.3", 7);

  const test::PrivateCliRun pass =
      test::run_cli_in_private_network(dir.path(), {"update", "--site", projects});
  if (pass.unavailable) {
    GTEST_SKIP() << *pass.unavailable;
  }
  EXPECT_EQ(pass.run.status, 1) << pass.run.err;
  EXPECT_EQ(pass.run.out, "a 127.0.0.2: updated: updater ended with exit status 0\n"
                          "b 10.9.9.9: not found: Device Not Found!\n"
                          "c 127.0.0.3: failed: updater ended with exit status 7\n"
                          "d -: not sent: refused: Error Modbus Slave!! ID Device must be between 1 and 247\n"
                          "summary: 1 updated, 1 not found, 1 failed, 1 not sent\n");
  EXPECT_EQ(pass.run.err, "");

  // The record, as the update keeps it: what the site says now.
  EXPECT_FALSE(logged("d"));
  EXPECT_FALSE(stdfs::exists(test::fs_path(image::bank_file_path(conf("d")))));
  const json units = site();
  EXPECT_EQ(units[0]["state"], "up-to-date");
  EXPECT_EQ(units[1]["last_attempt"]["outcome"], "device not found");
  EXPECT_EQ(units[2]["last_attempt"]["status"], 7);
  EXPECT_EQ(units[2]["state"], "never-sent");

  // Only what failed is tried again.
  const test::CliRun retry =
      run_cli(dir.path(), {"update", "--site", projects, "--only", "failed", "--dry-run"});
  EXPECT_EQ(retry.status, 0) << retry.err;
  EXPECT_EQ(retry.out, "b 10.9.9.9: would be updated\n"
                       "c 127.0.0.3: would be updated\n"
                       "summary: 2 would be updated, 0 not sent; nothing sent (dry run)\n");
}

// A changed unit is sent where its device is now, with the hand-over's
// choices; the others are left alone.
TEST_F(CliUpdateSite, EveryUnitTriedSucceededIsExitZero) {
  test::mark_sent(test::write_unit(projects, "a-same", test::set_at("127.0.0.2")));
  test::mark_sent(test::write_unit(projects, "b-moved", test::set_at("127.0.0.5")));
  test::write_unit(projects, "b-moved", test::set_at("127.0.0.3"));
  test::write_unit(projects, "c-new", test::set_at("10.9.9.9"));
  test::stand_in(dir, 0);
  // A log that can't be written is said, and the update runs all the same.
  stdfs::create_directory(test::fs_path(update_log_path(conf("b-moved"))));

  const test::PrivateCliRun pass = test::run_cli_in_private_network(
      dir.path(), {"update", "--site", projects, "--only", "changed", "--option", "2", "--no-read-back"});
  if (pass.unavailable) {
    GTEST_SKIP() << *pass.unavailable;
  }
  EXPECT_EQ(pass.run.status, 0) << pass.run.err;
  EXPECT_EQ(pass.run.out, "b-moved 127.0.0.5: updated: updater ended with exit status 0\n"
                          "summary: 1 updated\n");
  EXPECT_TRUE(pass.run.err.starts_with("b-moved: update log not written: Cannot write " +
                                       update_log_path(conf("b-moved"))))
      << pass.run.err;
  const std::string seen = test::read_file(dir.file("seen.xml"));
  EXPECT_NE(seen.find("<IP_Address_Dev>127.0.0.5</IP_Address_Dev>"), std::string::npos) << seen;
  EXPECT_NE(seen.find("<Ope_Read_Back>0</Ope_Read_Back>"), std::string::npos) << seen;
  EXPECT_EQ(seen.find(kFirmwareFile), std::string::npos) << "configuration alone: " << seen;
  EXPECT_FALSE(logged("a-same"));
  EXPECT_FALSE(logged("c-new"));
  // The image it took is kept, so the site knows where the device is now.
  EXPECT_EQ(site()[1]["address_now"], "127.0.0.3");
}

TEST_F(CliUpdateSite, DryRunSaysWhatWouldBeDoneAndWritesNothing) {
  test::mark_sent(test::write_unit(projects, "a-same", test::set_at("10.0.0.1")));
  test::mark_sent(test::write_unit(projects, "b-moved", test::set_at("10.0.0.9")));
  test::write_unit(projects, "b-moved", test::set_at("10.0.0.2"));
  test::write_unit(projects, "c-new", test::set_at("10.0.0.3"));
  test::write_unit(projects, "d-refused", refused_set("10.0.0.4"));
  test::stand_in(dir, 0);
  const auto before = test::tree(dir.path());

  struct Case {
    std::vector<std::string> only;
    std::string out;
  };
  const Case cases[] = {
      {{},
       "a-same 10.0.0.1: would be updated\n"
       "b-moved 10.0.0.9: would be updated\n"
       "c-new 10.0.0.3: would be updated\n"
       "d-refused -: not sent: refused: Error Modbus Slave!! ID Device must be between 1 and 247\n"
       "summary: 3 would be updated, 1 not sent; nothing sent (dry run)\n"},
      {{"--only", "changed"},
       "b-moved 10.0.0.9: would be updated\n"
       "summary: 1 would be updated, 0 not sent; nothing sent (dry run)\n"},
      {{"--only", "never-sent"},
       "c-new 10.0.0.3: would be updated\n"
       "summary: 1 would be updated, 0 not sent; nothing sent (dry run)\n"},
      {{"--only", "failed"}, "summary: 0 would be updated, 0 not sent; nothing sent (dry run)\n"},
  };
  for (const Case& c : cases) {
    cli::Args args{"update", "--site", projects, "--dry-run"};
    args.insert(args.end(), c.only.begin(), c.only.end());
    const test::CliRun r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
  EXPECT_EQ(test::tree(dir.path()), before);
}

TEST_F(CliUpdateSite, NothingSelectedNothingTried) {
  test::mark_sent(test::write_unit(projects, "a", test::set_at("10.0.0.1")));
  const test::CliRun r = run_cli(dir.path(), {"update", "--site", projects, "--only", "changed"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "summary: no unit selected\n");
  EXPECT_FALSE(logged("a"));
}

// Where the last image put the device can't be read, so it is looked for
// nowhere: the attempt fails before anything is sent, and says so.
TEST_F(CliUpdateSite, AUnitOfUnknownAddressFailsAsAnUnusableAddress) {
  const std::string record = test::write_unit(projects, "a", test::set_at("10.0.0.1"));
  test::write_file(last_sent_path(record), "short");
  const test::CliRun r = run_cli(dir.path(), {"update", "--site", projects});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "a -: failed: Error!!! Check the Ip Address\n"
                   "summary: 1 failed\n");
  EXPECT_NE(test::read_file(update_log_path(record)).find(",unusable address,"), std::string::npos);
  EXPECT_FALSE(stdfs::exists(test::fs_path(image::bank_file_path(record))));
}

TEST_F(CliUpdateSite, BadArgumentsTouchNothing) {
  test::write_unit(projects, "a", test::set_at("10.0.0.1"));
  const auto before = test::tree(dir.path());
  test::CliRun r = run_cli(dir.path(), {"update", "--site", projects, "--only", "up-to-date"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "loomwork-cli update --site: --only takes changed, never-sent or failed\n");
  r = run_cli(dir.path(), {"update", "--site", dir.file("nowhere")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("is not a folder"), std::string::npos) << r.err;
  r = run_cli(dir.path(), {"update", "--site", projects, "--ip", "10.0.0.1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("usage: update --site [PROJECTS_DIR]"), std::string::npos) << r.err;
  EXPECT_EQ(test::tree(dir.path()), before);
}

} // namespace
} // namespace lw
