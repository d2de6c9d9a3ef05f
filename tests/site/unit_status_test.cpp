#include "core/identity.h"
#include "core/limits.h"
#include "site/unit_status.h"
#include "site_units.h"
#include "sound_image.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;

TextTable english() {
  TextTable texts;
  texts.Fill_English_Texts();
  return texts;
}

// The unit as it stands now: 10.0.0.5/24, Modbus ID 17, 24 channels, channel
// 2 at 0. What was sent earlier differs in its address and channel 2.
Par_Gen_Set set_now() {
  Par_Gen_Set set = test::set_at("10.0.0.5");
  set.MODBUS_SLAVE_IDDEVICE = "17";
  set.DMX_Num_Channels = "24";
  return set;
}
Par_Gen_Set set_earlier() {
  Par_Gen_Set set = set_now();
  set.Ethernet_IP4 = "9";
  return set;
}
const DMX_Def_Table kDmxEarlier{{"0", ""}, {"7", ""}};

enum class Sent {
  None,    // no bin/last-sent.bin
  Now,     // the image the files give now
  Earlier, // the image of set_earlier and kDmxEarlier
  Bytes,   // the case's bytes
  Link,    // a link to a sound image of the files now
  Folder,  // a folder in its place
  Pipe,    // a named pipe in its place
};

struct StoredCase {
  const char* name;
  const char* par_gen = nullptr; // ParGen.xml's text, instead of set_now's
  const char* dmx = nullptr;     // DMX_Default_Values.xml's text, instead of all zeros
  Sent sent = Sent::None;
  std::string sent_bytes = {};
  UnitState state = UnitState::NeverSent;
  const char* message = ""; // what the message holds
  std::optional<std::string> address_now = std::nullopt;
  bool recorded = false; // the address now comes from the last image sent
  ImageChanges changes = {};
  bool configured = true;
  bool needs_posix = false;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

const std::string kSoundOther = test::sound_image('\x01');
// A count of changed fields a case leaves open.
constexpr std::size_t kAnyFields = SIZE_MAX;

const StoredCase kStoredCases[] = {
    {.name = "never sent: looked for at its own address",
     .state = UnitState::NeverSent,
     .address_now = "10.0.0.5"},
    {.name = "up to date",
     .sent = Sent::Now,
     .state = UnitState::UpToDate,
     .address_now = "10.0.0.5",
     .recorded = true},
    // The address, the checksum and channel 2, as the diff counts them; the
    // device is still where the last image put it.
    {.name = "changed",
     .sent = Sent::Earlier,
     .state = UnitState::Changed,
     .address_now = "10.0.0.9",
     .recorded = true,
     .changes = {2, 1}},
    {.name = "an editor's test fails",
     .par_gen = "<Par_Gen><MODBUS_SLAVE_IDDEVICE>999</MODBUS_SLAVE_IDDEVICE></Par_Gen>",
     .state = UnitState::Refused,
     .message = "ID Device must be between 1 and 247",
     .configured = false},
    {.name = "a channel's value fails",
     .dmx = "<DMX><Row Default_Value=\"0\"/><Row Default_Value=\"300\"/></DMX>",
     .state = UnitState::Refused,
     .message = "Error row 2!! Default Value must be between 0 and 255",
     .configured = false},
    {.name = "a file that can't be parsed",
     .par_gen = "<Par_Gen><unclosed>",
     .state = UnitState::Refused,
     .message = "ParGen.xml",
     .configured = false},
    // The device took an image once: it is still found where that put it.
    {.name = "refused after a send",
     .par_gen = "<Par_Gen><MODBUS_SLAVE_IDDEVICE>0</MODBUS_SLAVE_IDDEVICE></Par_Gen>",
     .sent = Sent::Earlier,
     .state = UnitState::Refused,
     .message = "ID Device must be between 1 and 247",
     .address_now = "10.0.0.9",
     .recorded = true,
     .configured = false},
    {.name = "a refusal outranks a damaged record",
     .par_gen = "<Par_Gen><MODBUS_SLAVE_IDDEVICE>0</MODBUS_SLAVE_IDDEVICE></Par_Gen>",
     .sent = Sent::Bytes,
     .sent_bytes = "short",
     .state = UnitState::Refused,
     .message = "ID Device",
     .configured = false},
    {.name = "the last image sent is short",
     .sent = Sent::Bytes,
     .sent_bytes = "short",
     .state = UnitState::RecordUnreadable,
     .message = "is 5 bytes, not the 2560 of a parameter image"},
    {.name = "the last image sent is too large to read",
     .sent = Sent::Bytes,
     .sent_bytes = std::string(kMaxImageBytes + 1, 'x'),
     .state = UnitState::RecordUnreadable,
     .message = "larger than the limit"},
    {.name = "the last image sent has a wrong checksum",
     .sent = Sent::Bytes,
     .sent_bytes = kSoundOther.substr(0, 100) + "x" + kSoundOther.substr(101),
     .state = UnitState::RecordUnreadable,
     .message = "holds the checksum"},
    {.name = "a sound image of other values was sent",
     .sent = Sent::Bytes,
     .sent_bytes = kSoundOther,
     .state = UnitState::Changed,
     .address_now = "1.1.1.1",
     .recorded = true,
     .changes = {kAnyFields, 512}},
    {.name = "a folder where the last image belongs",
     .sent = Sent::Folder,
     .state = UnitState::RecordUnreadable,
     .message = "last-sent.bin"},
    {.name = "a link where the last image belongs",
     .sent = Sent::Link,
     .state = UnitState::RecordUnreadable,
     .message = "link",
     .needs_posix = true},
    {.name = "a pipe where the last image belongs",
     .sent = Sent::Pipe,
     .state = UnitState::RecordUnreadable,
     .message = "last-sent.bin",
     .needs_posix = true},
};

class StoredUnit : public testing::TestWithParam<StoredCase> {
protected:
  test::TempDir dir;
  std::string projects = dir.file("PROJECTS");
  TextTable texts = english();
};

TEST_P(StoredUnit, StateFromItsFiles) {
  const StoredCase& c = GetParam();
#ifdef _WIN32
  if (c.needs_posix) {
    GTEST_SKIP() << "Windows' file system holds no links or pipes a test can make";
  }
#endif
  std::string conf;
  if (c.sent == Sent::Earlier) {
    conf = test::write_unit(projects, "Hall", set_earlier(), kDmxEarlier);
    test::mark_sent(conf);
  }
  conf = test::write_unit(projects, "Hall", set_now(), DMX_Def_Table(24));
  if (c.par_gen) test::write_file(fs::join(conf, kParGenFile), c.par_gen);
  if (c.dmx) test::write_file(fs::join(conf, kDmxDefaultFile), c.dmx);
  const std::string last_sent = last_sent_path(conf);
  switch (c.sent) {
  case Sent::Now: test::mark_sent(conf); break;
  case Sent::Bytes: test::write_file(last_sent, c.sent_bytes); break;
  case Sent::Folder: stdfs::create_directory(test::fs_path(last_sent)); break;
  case Sent::Link: {
    const image::Image now = compiled_image(conf);
    test::write_file(dir.file("elsewhere.bin"), std::string(now.begin(), now.end()));
    stdfs::create_symlink(test::fs_path(dir.file("elsewhere.bin")), test::fs_path(last_sent));
    break;
  }
  case Sent::Pipe:
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(last_sent.c_str(), 0644), 0);
#endif
    break;
  default: break;
  }

  const UnitStatus status = unit_status(projects, {"Hall", std::nullopt}, texts);
  EXPECT_EQ(status.name, "Hall");
  EXPECT_EQ(status.conf_dir, conf);
  EXPECT_EQ(status.state, c.state);
  EXPECT_NE(status.message.find(c.message), std::string::npos) << status.message;
  if (std::string_view(c.message).empty()) {
    EXPECT_EQ(status.message, "");
  }
  EXPECT_EQ(status.address_now ? std::optional(dotted(*status.address_now)) : std::nullopt, c.address_now);
  EXPECT_EQ(status.address_now_recorded, c.recorded);
  if (c.changes.fields == kAnyFields) {
    EXPECT_GT(status.changes.fields, 0u);
  } else {
    EXPECT_EQ(status.changes.fields, c.changes.fields);
  }
  EXPECT_EQ(status.changes.channels, c.changes.channels);
  EXPECT_EQ(status.configured.has_value(), c.configured);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredUnit, testing::ValuesIn(kStoredCases));

TEST(UnitStatus, ConfiguredValuesAreWhatTheImageGivesTheDevice) {
  test::TempDir dir;
  Par_Gen_Set set = set_now();
  set.Ethernet_SM3 = "240";
  set.Ethernet_SM4 = "0";
  test::write_unit(dir.file("PROJECTS"), "Hall", set);
  const UnitStatus status = unit_status(dir.file("PROJECTS"), {"Hall", std::nullopt}, english());
  ASSERT_TRUE(status.configured);
  EXPECT_EQ(dotted(status.configured->address), "10.0.0.5");
  EXPECT_EQ(dotted(status.configured->mask), "255.255.240.0");
  EXPECT_EQ(status.configured->modbus_id, 17u);
  EXPECT_EQ(status.configured->channels, 24u);
}

TEST(UnitStatus, ARefusalIsInTheLanguageOfTheTexts) {
  test::TempDir dir;
  const std::string conf = test::write_unit(dir.file("PROJECTS"), "Hall", set_now());
  test::write_file(fs::join(conf, kParGenFile),
                   "<Par_Gen><MODBUS_SLAVE_IDDEVICE>0</MODBUS_SLAVE_IDDEVICE></Par_Gen>");
  TextTable texts = english();
  texts.Put(1093, "ID hors limites");
  EXPECT_EQ(unit_status(dir.file("PROJECTS"), {"Hall", std::nullopt}, texts).message, "ID hors limites");
}

struct LogCase {
  const char* name;
  std::string log; // update-log.csv's text, none when empty
  std::optional<UpdateOutcome::Kind> outcome;
  std::optional<int> exit_status;
  bool succeeded;
  const char* time = "2026-03-01T14:05:09+01:00";
};

void PrintTo(const LogCase& c, std::ostream* os) { *os << c.name; }

const std::string kLogHeader = "time,address,option,read_back,checksum,sha256,outcome,exit_status,detail\r\n";

const LogCase kLogCases[] = {
    {"the last line tells, not the first",
     kLogHeader + "2026-02-01T10:00:00+01:00,10.0.0.5,firmware,yes,,,device not found,,\r\n" +
         "2026-03-01T14:05:09+01:00,10.0.0.5,firmware,yes,0x1,ab,updater ended,0,\r\n",
     UpdateOutcome::Kind::UpdaterEnded, 0, true},
    {"an updater that failed",
     kLogHeader + "2026-03-01T14:05:09+01:00,10.0.0.5,firmware,yes,0x1,ab,updater ended,5,\r\n",
     UpdateOutcome::Kind::UpdaterEnded, 5, false},
    {"a device not found",
     kLogHeader + "2026-03-01T14:05:09+01:00,10.0.0.5,firmware,yes,,,device not found,,\r\n",
     UpdateOutcome::Kind::Silent, std::nullopt, false},
    {"a word the program never writes", kLogHeader + "2026-03-01T14:05:09+01:00,x,x,x,,,went fishing,x,\r\n",
     std::nullopt, std::nullopt, false},
};

class LoggedUnit : public testing::TestWithParam<LogCase> {};

TEST_P(LoggedUnit, LastAttemptFromTheLogsLastLine) {
  const LogCase& c = GetParam();
  test::TempDir dir;
  const std::string conf = test::write_unit(dir.file("PROJECTS"), "Hall", set_now());
  test::write_file(update_log_path(conf), c.log);
  const UnitStatus status = unit_status(dir.file("PROJECTS"), {"Hall", std::nullopt}, english());
  ASSERT_TRUE(status.last_attempt);
  EXPECT_EQ(status.last_attempt->logged.time, c.time);
  EXPECT_EQ(status.last_attempt->outcome, c.outcome);
  EXPECT_EQ(status.last_attempt->exit_status, c.exit_status);
  EXPECT_EQ(status.last_attempt->succeeded(), c.succeeded);
  EXPECT_FALSE(status.log_unreadable);
  EXPECT_EQ(status.state, UnitState::NeverSent) << "the log never decides the state";
}

INSTANTIATE_TEST_SUITE_P(Cases, LoggedUnit, testing::ValuesIn(kLogCases));

TEST(UnitStatus, NoLogNoAttemptAndALogThatCantBeReadIsSaid) {
  test::TempDir dir;
  const std::string projects = dir.file("PROJECTS");
  const std::string conf = test::write_unit(projects, "Hall", set_now());
  test::mark_sent(conf);
  UnitStatus status = unit_status(projects, {"Hall", std::nullopt}, english());
  EXPECT_FALSE(status.last_attempt);
  EXPECT_FALSE(status.log_unreadable);

  test::write_file(update_log_path(conf), kLogHeader + std::string(kMaxLoggedLineBytes + 1, 'x') + "\r\n");
  status = unit_status(projects, {"Hall", std::nullopt}, english());
  EXPECT_FALSE(status.last_attempt);
  ASSERT_TRUE(status.log_unreadable);
  EXPECT_NE(status.log_unreadable->find("longer than"), std::string::npos) << *status.log_unreadable;
  EXPECT_EQ(status.state, UnitState::UpToDate) << "an unreadable log leaves the state to the files";
}

TEST(SiteStatus, EveryVisibleFolderByNameAFolderThatIsNoConfigurationWithWhy) {
  test::TempDir dir;
  const std::string projects = dir.file("PROJECTS");
  test::mark_sent(test::write_unit(projects, "b-hall", set_now()));
  test::write_unit(projects, "a-hall", test::set_at("10.0.0.6"));
  stdfs::create_directories(test::fs_path(dir.file("PROJECTS/c-empty")));
  stdfs::create_directories(test::fs_path(dir.file("PROJECTS/.hidden/bin")));
  test::write_file(dir.file("PROJECTS/notes.txt"), "a file is no unit");

  const std::vector<UnitStatus> site = site_status(projects, english());
  ASSERT_EQ(site.size(), 3u);
  EXPECT_EQ(site[0].name, "a-hall");
  EXPECT_EQ(site[0].state, UnitState::NeverSent);
  EXPECT_EQ(site[1].name, "b-hall");
  EXPECT_EQ(site[1].state, UnitState::UpToDate);
  EXPECT_EQ(site[2].name, "c-empty");
  EXPECT_EQ(site[2].state, UnitState::NotConfiguration);
  EXPECT_NE(site[2].message.find("no configuration there"), std::string::npos) << site[2].message;
  EXPECT_FALSE(site[2].address_now);
  EXPECT_FALSE(sendable(site[2].state));
}

TEST(UnitStatus, OneFolderByItsPathAsTheSiteHasIt) {
  test::TempDir dir;
  const std::string projects = dir.file("PROJECTS");
  const std::string conf = test::write_unit(projects, "Hall", set_earlier(), kDmxEarlier);
  test::mark_sent(conf);
  test::write_unit(projects, "Hall", set_now());
  const UnitStatus alone = unit_status(conf, english());
  const UnitStatus listed = site_status(projects, english()).at(0);
  EXPECT_EQ(alone.name, "Hall");
  EXPECT_EQ(alone.conf_dir, conf);
  EXPECT_EQ(alone.state, UnitState::Changed);
  EXPECT_EQ(alone.state, listed.state);
  EXPECT_EQ(alone.address_now, listed.address_now);
  EXPECT_EQ(alone.configured, listed.configured);
  EXPECT_EQ(alone.changes, listed.changes);

  stdfs::create_directories(test::fs_path(dir.file("PROJECTS/Empty")));
  const UnitStatus empty = unit_status(dir.file("PROJECTS/Empty"), english());
  EXPECT_EQ(empty.name, "Empty");
  EXPECT_EQ(empty.state, UnitState::NotConfiguration);
}

TEST(SiteStatus, AProjectsFolderThatCantBeListedHoldsNoUnit) {
  test::TempDir dir;
  EXPECT_TRUE(site_status(dir.file("missing"), english()).empty());
}

TEST(UnitStatus, OnlyRefusalsAndNonConfigurationsAreNeverSent) {
  for (std::size_t i = 0; i < kUnitStateCount; ++i) {
    auto state = static_cast<UnitState>(i);
    EXPECT_EQ(sendable(state), state != UnitState::Refused && state != UnitState::NotConfiguration) << i;
  }
}

} // namespace
} // namespace lw
