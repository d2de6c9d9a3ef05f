#include "cli_run.h"
#include "core/identity.h"
#include "platform/files.h"
#include "private_cli_run.h"
#include "site_units.h"
#include "temp_dir.h"
#include "update/update_record.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using nlohmann::json;
using test::run_cli;

// A unit at this address with this Modbus ID and as many channels.
Par_Gen_Set unit_set(const std::string& address, const std::string& modbus_id = "5",
                     const std::string& channels = "24") {
  Par_Gen_Set set = test::set_at(address);
  set.MODBUS_SLAVE_IDDEVICE = modbus_id;
  set.DMX_Num_Channels = channels;
  return set;
}

// The configuration's update log, its last line written as the update writes it.
void log_attempt(const std::string& conf, const std::string& address, const UpdateOutcome& outcome) {
  const LocalTime when{2026, 3, 1, 14, 5, 9, 0, 60};
  test::write_file(update_log_path(conf),
                   update_log_header() + update_log_line({conf, address, 0, true, {}}, outcome, when));
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

// A unit of which nothing is known but its name and state.
json nothing_known(const std::string& name, const std::string& state) {
  json unit{{"name", name}, {"state", state}};
  for (const char* member :
       {"address_now", "configured_address", "modbus_id", "channels", "changes", "last_attempt", "reachable"})
    unit[member] = nullptr;
  return unit;
}

class CliSite : public testing::Test {
protected:
  // Each state the files can give, and a folder that is no configuration.
  void write_every_state() {
    const std::string up = test::write_unit(projects, "a-up", unit_set("10.0.0.1", "7", "32"));
    test::mark_sent(up);
    log_attempt(up, "10.0.0.1", {UpdateOutcome::Kind::UpdaterEnded, 0, {}});
    // The device took an image at .9; the configuration now puts it at .2.
    test::mark_sent(test::write_unit(projects, "b-changed", unit_set("10.0.0.9")));
    test::write_unit(projects, "b-changed", unit_set("10.0.0.2"));
    const std::string never = test::write_unit(projects, "c-never", unit_set("10.0.0.3"));
    log_attempt(never, "10.0.0.3", {UpdateOutcome::Kind::Silent, 0, {}});
    test::write_unit(projects, "d-refused", unit_set("10.0.0.4", "0"));
    const std::string record = test::write_unit(projects, "e-record", unit_set("10.0.0.5"));
    test::write_file(last_sent_path(record), "short");
    stdfs::create_directories(test::fs_path(dir.file("PROJECTS/f-folder")));
  }
  test::TempDir dir;
  std::string projects = dir.file("PROJECTS");
};

TEST_F(CliSite, JsonTellsEveryUnitsStateFromItsFiles) {
  write_every_state();
  const test::CliRun r = run_cli(dir.path(), {"site", projects, "--json"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.err, "");
  const json units = json::parse(r.out).at("units");
  ASSERT_EQ(units.size(), 6u) << r.out;

  struct Expected {
    json unit;                // every member but the message
    const char* message_part; // what the message holds; null: the message is null
  };
  const Expected expected[] = {
      {{{"name", "a-up"},
        {"state", "up-to-date"},
        {"address_now", "10.0.0.1"},
        {"configured_address", "10.0.0.1"},
        {"modbus_id", 7},
        {"channels", 32},
        {"changes", {{"fields", 0}, {"channels", 0}}},
        {"last_attempt",
         {{"time", "2026-03-01T14:05:09+01:00"}, {"outcome", "updater ended"}, {"status", 0}}},
        {"reachable", nullptr}},
       nullptr},
      // The address and the checksum differ.
      {{{"name", "b-changed"},
        {"state", "changed"},
        {"address_now", "10.0.0.9"},
        {"configured_address", "10.0.0.2"},
        {"modbus_id", 5},
        {"channels", 24},
        {"changes", {{"fields", 2}, {"channels", 0}}},
        {"last_attempt", nullptr},
        {"reachable", nullptr}},
       nullptr},
      {{{"name", "c-never"},
        {"state", "never-sent"},
        {"address_now", "10.0.0.3"},
        {"configured_address", "10.0.0.3"},
        {"modbus_id", 5},
        {"channels", 24},
        {"changes", nullptr},
        {"last_attempt",
         {{"time", "2026-03-01T14:05:09+01:00"}, {"outcome", "device not found"}, {"status", nullptr}}},
        {"reachable", nullptr}},
       nullptr},
      {nothing_known("d-refused", "refused"), "ID Device must be between 1 and 247"},
      {{{"name", "e-record"},
        {"state", "record-unreadable"},
        {"address_now", nullptr},
        {"configured_address", "10.0.0.5"},
        {"modbus_id", 5},
        {"channels", 24},
        {"changes", nullptr},
        {"last_attempt", nullptr},
        {"reachable", nullptr}},
       "not the 2560 of a parameter image"},
      {nothing_known("f-folder", "not-configuration"), "no configuration there"},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    json unit = units[i];
    ASSERT_TRUE(unit.contains("message")) << unit;
    const json message = unit["message"];
    unit.erase("message");
    EXPECT_EQ(unit, expected[i].unit);
    if (!expected[i].message_part) {
      EXPECT_TRUE(message.is_null()) << message;
    } else {
      ASSERT_TRUE(message.is_string()) << message;
      EXPECT_NE(message.get<std::string>().find(expected[i].message_part), std::string::npos) << message;
    }
  }
}

TEST_F(CliSite, TableHasALinePerUnitAndMarksADeviceThatWillMove) {
  write_every_state();
  const test::CliRun r = run_cli(dir.path(), {"site", projects});
  EXPECT_EQ(r.status, 1) << r.err;
  const std::vector<std::string> lines = lines_of(r.out);
  ASSERT_EQ(lines.size(), 8u) << r.out; // the heading, six units, the mark's meaning
  EXPECT_TRUE(lines[0].starts_with("NAME")) << lines[0];
  EXPECT_EQ(lines[0].find("REACHABLE"), std::string::npos) << "not probed";
  // Every column starts where its heading does.
  const std::size_t state_at = lines[0].find("STATE");
  const std::size_t address_at = lines[0].find("ADDRESS NOW");
  for (std::size_t i = 1; i <= 6; ++i) {
    EXPECT_EQ(lines[i].find_first_not_of(' ', lines[i].find(' ')), state_at) << lines[i];
    EXPECT_NE(lines[i][address_at], ' ') << lines[i];
  }
  EXPECT_NE(lines[1].find("up-to-date"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("updater ended 0"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("10.0.0.9 "), std::string::npos) << lines[2];
  EXPECT_NE(lines[2].find("10.0.0.2*"), std::string::npos) << lines[2];
  EXPECT_NE(lines[2].find("2 fields, 0 channels"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3].find('*'), std::string::npos) << "never sent: it is where it is configured";
  EXPECT_NE(lines[3].find("device not found"), std::string::npos) << lines[3];
  EXPECT_NE(lines[4].find("ID Device must be between 1 and 247"), std::string::npos) << lines[4];
  EXPECT_EQ(lines[7], "* the next update moves the device to its configured address");
}

TEST_F(CliSite, ExitZeroOnlyWhenEveryUnitIsUpToDate) {
  test::mark_sent(test::write_unit(projects, "a", unit_set("10.0.0.1")));
  test::mark_sent(test::write_unit(projects, "b", unit_set("10.0.0.2")));
  // A folder that is no configuration is listed, but no unit waits on it.
  stdfs::create_directories(test::fs_path(dir.file("PROJECTS/notes")));
  test::CliRun r = run_cli(dir.path(), {"site", projects});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(run_cli(dir.path(), {"site", projects, "--json"}).status, 0);
  // Left out, the folder is the PROJECTS beside the program.
  const test::CliRun beside = run_cli(dir.path(), {"site"});
  EXPECT_EQ(beside.status, 0) << beside.err;
  EXPECT_EQ(beside.out, r.out);

  test::write_unit(projects, "b", unit_set("10.0.0.3"));
  EXPECT_EQ(run_cli(dir.path(), {"site", projects}).status, 1);

  r = run_cli(dir.path(), {"site", dir.file("nowhere")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("is not a folder"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST_F(CliSite, AnEmptySiteIsAllUpToDate) {
  stdfs::create_directories(test::fs_path(projects));
  const test::CliRun r = run_cli(dir.path(), {"site", projects, "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(json::parse(r.out), (json{{"units", json::array()}}));
}

// Names come from folders, which on Linux may hold any byte but '/'.
TEST_F(CliSite, NamesReachNeitherTerminalNorJsonReaderUnsafe) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows refuses control characters and bytes that are no UTF-8 in a name";
#else
  test::write_unit(projects, "esc\x1b[31m\"q\"", unit_set("10.0.0.1"));
  test::write_unit(projects, "bad\xff", unit_set("10.0.0.2"));
  test::CliRun r = run_cli(dir.path(), {"site", projects});
  EXPECT_EQ(r.out.find('\x1b'), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find('\xff'), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("esc?[31m\"q\""), std::string::npos) << r.out;

  r = run_cli(dir.path(), {"site", projects, "--json"});
  const json units = json::parse(r.out).at("units");
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(units[0]["name"], "bad\xEF\xBF\xBD");
  EXPECT_EQ(units[1]["name"], "esc\x1b[31m\"q\"");
#endif
}

TEST_F(CliSite, AFolderThatCannotBeListedIsUnreadable) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no permission bits a test can take away";
#else
  stdfs::create_directories(test::fs_path(projects));
  stdfs::permissions(test::fs_path(projects), stdfs::perms::none);
  if (::access(projects.c_str(), R_OK) == 0) {
    stdfs::permissions(test::fs_path(projects), stdfs::perms::owner_all);
    GTEST_SKIP() << "permissions do not bind this user";
  }
  const test::CliRun r = run_cli(dir.path(), {"site", projects});
  stdfs::permissions(test::fs_path(projects), stdfs::perms::owner_all);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(projects), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
#endif
}

TEST_F(CliSite, ProbeOnTheLoopbackMarksEachUnitReachable) {
  test::write_unit(projects, "a", unit_set("127.0.0.1"));
  test::mark_sent(test::write_unit(projects, "b", unit_set("127.0.0.2")));
  test::write_unit(projects, "c-refused", unit_set("127.0.0.3", "0"));
  const test::CliRun r = run_cli(dir.path(), {"site", projects, "--probe", "--json"});
  if (r.err.find("no probe") != std::string::npos) {
    GTEST_SKIP() << "this machine forbids ICMP sockets: " << r.err;
  }
  const json units = json::parse(r.out).at("units");
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units[0]["reachable"], true);
  EXPECT_EQ(units[1]["reachable"], true);
  EXPECT_EQ(units[2]["reachable"], nullptr) << "no address to probe";
}

// In a network of its own, the loopback answers and nothing else is there.
TEST_F(CliSite, ProbeMarksWhoAnswersAndWhoStaysSilent) {
  test::write_unit(projects, "a", unit_set("127.0.0.2"));
  test::write_unit(projects, "b", unit_set("10.9.9.9"));
  // Moved: it is looked for where the last image put it.
  test::mark_sent(test::write_unit(projects, "c", unit_set("10.9.9.8")));
  test::write_unit(projects, "c", unit_set("127.0.0.3"));
  test::write_unit(projects, "d", unit_set("127.0.0.4", "0"));
  const test::PrivateCliRun json_run =
      test::run_cli_in_private_network(dir.path(), {"site", projects, "--probe", "--json"});
  if (json_run.unavailable) {
    GTEST_SKIP() << *json_run.unavailable;
  }
  EXPECT_EQ(json_run.run.status, 1) << json_run.run.err;
  const json units = json::parse(json_run.run.out).at("units");
  ASSERT_EQ(units.size(), 4u) << json_run.run.out;
  EXPECT_EQ(units[0]["reachable"], true);
  EXPECT_EQ(units[1]["reachable"], false);
  EXPECT_EQ(units[2]["reachable"], false);
  EXPECT_EQ(units[3]["reachable"], nullptr);

  const test::PrivateCliRun table_run =
      test::run_cli_in_private_network(dir.path(), {"site", projects, "--probe"});
  ASSERT_FALSE(table_run.unavailable);
  const std::vector<std::string> lines = lines_of(table_run.run.out);
  ASSERT_EQ(lines.size(), 6u) << table_run.run.out; // the heading, four units, the mark's meaning
  const std::size_t column = lines[0].find("REACHABLE");
  ASSERT_NE(column, std::string::npos) << lines[0];
  std::vector<std::string> cells;
  for (std::size_t i = 1; i <= 4; ++i)
    cells.push_back(lines[i].substr(column, lines[i].find(' ', column) - column));
  EXPECT_EQ(cells, (std::vector<std::string>{"yes", "no", "no", "-"})) << table_run.run.out;
}

} // namespace
} // namespace lw
