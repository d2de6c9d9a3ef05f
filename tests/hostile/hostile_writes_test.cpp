// Ground a hostile tester prepares for the writers: -o and save dialogs aimed
// at the configurator's own files, links in the place of the record of what
// was sent, failed updates, names that would drive a terminal, and the
// device names Windows keeps for itself.
#include "cli_run.h"
#include "core/limits.h"
#include "core/portable_name.h"
#include "core/text_ids.h"
#include "core/text_table.h"
#include "fakes.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "image/image_layout.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/appender.h"
#include "platform/files.h"
#include "platform/zip_archive.h"
#include "projects/output_guard.h"
#include "temp_dir.h"
#include "update/change_preview.h"
#include "update/update_log.h"
#include "update/update_record.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::read_file;
using test::run_cli;
using test::TempDir;
using test::write_file;
using Kind = UpdateOutcome::Kind;

#ifdef _WIN32
constexpr const char* kNoLinks = "links in Windows' file system need the administrator's rights";
#endif

const std::string kImage(image::kImageSize, '\x11');

UpdateOutcome outcome(Kind kind, std::string system_text = {}) { return {kind, 0, std::move(system_text)}; }
const std::string kOlderImage(image::kImageSize, '\x22');

// A program folder with one configuration that has been sent before: its
// files, its record and the program's own files beside it.
struct SentConfiguration {
  SentConfiguration() {
    stdfs::create_directories(test::fs_path(conf + "/bin/sent"));
    stdfs::create_directories(test::fs_path(dir.file("LANGUAGE")));
    Save_Par_Gen(conf + "/ParGen.xml", Par_Gen_Set());
    Save_DMX_Defaults(conf + "/DMX_Default_Values.xml", {{"1", "Dimmer"}});
    write_file(conf + "/bin/bank.bin", kImage);
    write_file(conf + "/bin/last-sent.bin", kOlderImage);
    write_file(conf + "/bin/sent/bank-20260301-140509-042.bin", kOlderImage);
    write_file(conf + "/update-log.csv", update_log_header());
    write_file(dir.file("Loomwork.xml"), "<Settings/>");
    write_file(dir.file("LANGUAGE/English.lng"), "STR0 = Start\r\n");
  }
  // Every file of the folder with its bytes, to see that nothing changed.
  std::vector<std::pair<std::string, std::string>> files() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& e : stdfs::recursive_directory_iterator(test::fs_path(dir.path())))
      if (e.is_regular_file() && !e.is_symlink())
        out.push_back({test::utf8(e.path()), read_file(test::utf8(e.path()))});
    std::sort(out.begin(), out.end());
    return out;
  }
  TempDir dir;
  std::string conf = dir.file("PROJECTS/Base");
};

// ---------------------------------------------------------------------------
// Where a write of a path the user gives may land.

struct OwnTarget {
  const char* name;
  std::vector<std::string> args; // CONF stands for the configuration, SITE for its PROJECTS
  std::string target;            // the path given, DIR-relative
  std::string link_to = {};      // when set, target is made a link to this DIR-relative path
};

class OutputOnOwnFile : public testing::TestWithParam<OwnTarget> {};

TEST_P(OutputOnOwnFile, IsRefusedAndChangesNothing) {
  SentConfiguration site;
  const OwnTarget& c = GetParam();
  const std::string target = site.dir.file(c.target);
  if (!c.link_to.empty()) {
#ifdef _WIN32
    GTEST_SKIP() << kNoLinks;
#else
    stdfs::create_symlink(site.dir.file(c.link_to), target);
#endif
  }
  const auto before = site.files();
  std::vector<std::string> args;
  for (const std::string& a : c.args)
    args.push_back(a == "CONF" ? site.conf : a == "SITE" ? site.dir.file("PROJECTS") : a);
  args.push_back("-o");
  args.push_back(target);
  const auto run = run_cli(site.dir.path(), args);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_TRUE(run.err.starts_with("Cannot write " + target + ": ")) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(site.files(), before);
}

const std::vector<std::string> kCompile = {"compile", "CONF"};
const std::vector<std::string> kDescriptor = {"descriptor", "CONF", "--ip", "1.2.3.4"};
const std::vector<std::string> kSheet = {"sheet", "SITE"};

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputOnOwnFile,
    testing::Values(OwnTarget{"compile_over_ParGen", kCompile, "PROJECTS/Base/ParGen.xml"},
                    OwnTarget{"compile_through_a_link_to_ParGen", kCompile, "image.bin",
                              "PROJECTS/Base/ParGen.xml"},
                    OwnTarget{"compile_over_the_last_sent", kCompile, "PROJECTS/Base/bin/last-sent.bin"},
                    OwnTarget{"compile_over_an_image_sent", kCompile,
                              "PROJECTS/Base/bin/sent/bank-20260301-140509-042.bin"},
                    OwnTarget{"compile_into_the_images_sent", kCompile, "PROJECTS/Base/bin/sent/new.bin"},
                    OwnTarget{"compile_over_the_settings", kCompile, "Loomwork.xml"},
                    OwnTarget{"compile_over_the_log", kCompile, "PROJECTS/Base/update-log.csv"},
                    // Decided: bank.bin is the configuration's name for its image
                    // wherever it stands; a copy elsewhere takes another name.
                    OwnTarget{"compile_as_a_bank_elsewhere", kCompile, "bank.bin"},
                    OwnTarget{"descriptor_over_ParGen", kDescriptor, "PROJECTS/Base/ParGen.xml"},
                    OwnTarget{"descriptor_over_the_settings", kDescriptor, "Loomwork.xml"},
                    OwnTarget{"descriptor_through_a_link_to_DMX", kDescriptor, "d.xml",
                              "PROJECTS/Base/DMX_Default_Values.xml"},
                    // Windows opens "ParGen.xml." and "ParGen.xml:s" as ParGen.xml.
                    OwnTarget{"compile_with_a_trailing_dot", kCompile, "PROJECTS/Base/ParGen.xml."},
                    OwnTarget{"compile_into_a_stream", kCompile, "PROJECTS/Base/PARGEN.XML:x"},
                    OwnTarget{"sheet_over_a_language", kSheet, "LANGUAGE/English.lng"},
                    OwnTarget{"sheet_into_the_languages", kSheet, "LANGUAGE/Sheet.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputGuard, LeavesTheUsualWritesAndOtherFoldersNamedSentAlone) {
  SentConfiguration site;
  // Without -o, compile and descriptor write their own files as ever.
  EXPECT_EQ(run_cli(site.dir.path(), {"compile", site.conf}).status, 0);
  EXPECT_NE(read_file(site.conf + "/bin/bank.bin"), kImage);
  EXPECT_EQ(run_cli(site.dir.path(), {"descriptor", site.conf, "--ip", "1.2.3.4"}).status, 0);
  EXPECT_TRUE(stdfs::exists(test::fs_path(site.dir.file("Ethernet_Update.xml"))));
  // A mail folder called "sent" is no configuration's bin/sent.
  stdfs::create_directories(test::fs_path(site.dir.file("Mail/sent")));
  for (const std::string& target : {site.dir.file("image.bin"), site.dir.file("Mail/sent/image.bin")}) {
    auto run = run_cli(site.dir.path(), {"compile", site.conf, "-o", target});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_file(target).size(), image::kImageSize);
  }
  EXPECT_EQ(output_refusal(site.dir.file("Mail/sent/x.csv")), std::nullopt);
  EXPECT_NE(output_refusal(site.dir.file("Mail/bin/sent/x.csv")), std::nullopt);
}

// ---------------------------------------------------------------------------
// The record of what was sent: never written or read through a link.

struct RecordLink {
  const char* name;
  std::string place; // in the configuration: replaced by a link
  bool folder;       // the link leads to a folder
};

class LinkInTheRecord : public testing::TestWithParam<RecordLink> {};

// An update that ended well is recorded around the link: the link's target
// is untouched, the failure names the link, the rest of the record is kept.
TEST_P(LinkInTheRecord, IsRefusedAndTheUpdateRecordedAroundIt) {
#ifdef _WIN32
  GTEST_SKIP() << kNoLinks;
#else
  SentConfiguration site;
  const RecordLink& c = GetParam();
  const std::string outside = site.dir.file("outside");
  const std::string place = site.conf + "/" + c.place;
  stdfs::remove_all(place);
  if (c.folder) {
    stdfs::create_directories(outside);
  } else {
    write_file(outside, "root:x:0:0:root:/root:/bin/bash\n");
  }
  stdfs::create_symlink(outside, place);
  const auto before = c.folder ? std::string() : read_file(outside);

  test::FakeWallClock wall;
  FileAppender log;
  RecordPorts ports{wall, log};
  UpdateOutcome ended = outcome(Kind::UpdaterEnded);
  RecordFailures failures = Record_Update({site.conf, "10.0.0.7", 2, true, kImage}, ended, ports);
  const std::optional<std::string>& failure = c.place == "update-log.csv" ? failures.log : failures.kept;
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(*failure, "Cannot write " + place + ": it is a link, which is never followed here");
  if (c.folder)
    EXPECT_TRUE(stdfs::is_empty(outside));
  else
    EXPECT_EQ(read_file(outside), before);
  EXPECT_EQ(c.place == "update-log.csv" ? failures.kept : failures.log, std::nullopt);
  EXPECT_TRUE(stdfs::is_symlink(stdfs::symlink_status(place)));

  // export refuses to pack the link's target; the sheet says what it is.
  auto exported = run_cli(site.dir.path(), {"export", site.conf, "-o", site.dir.file("backup.zip")});
  EXPECT_EQ(exported.status, 2) << exported.err;
  EXPECT_NE(exported.err.find(place + ": it is a link"), std::string::npos) << exported.err;
  EXPECT_FALSE(stdfs::exists(site.dir.file("backup.zip")));
#endif
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkInTheRecord,
                         testing::Values(RecordLink{"log", "update-log.csv", false},
                                         RecordLink{"last_sent", "bin/last-sent.bin", false},
                                         RecordLink{"sent_folder", "bin/sent", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinkInTheRecord, TheSheetAndThePreviewSayItIsALink) {
#ifdef _WIN32
  GTEST_SKIP() << kNoLinks;
#else
  SentConfiguration site;
  write_file(site.dir.file("outside.csv"), "root:x:0:0:root:/root:/bin/bash\n");
  stdfs::remove(site.conf + "/update-log.csv");
  stdfs::create_symlink(site.dir.file("outside.csv"), site.conf + "/update-log.csv");
  auto report = run_cli(site.dir.path(), {"report", site.conf, "-o", site.dir.file("sheet.html")});
  ASSERT_EQ(report.status, 0) << report.err;
  const std::string sheet = read_file(site.dir.file("sheet.html"));
  EXPECT_NE(sheet.find("The update log can&#39;t be shown: Cannot read " + site.conf +
                       "/update-log.csv: it is a link, which is never followed here"),
            std::string::npos)
      << sheet;
  EXPECT_EQ(sheet.find("root:x"), std::string::npos);

  // A last image sent that is a link is no record of this configuration's.
  TextTable texts;
  texts.Fill_English_Texts();
  stdfs::remove(site.conf + "/update-log.csv");
  write_file(site.dir.file("outside.bin"), kImage);
  stdfs::remove(site.conf + "/bin/last-sent.bin");
  stdfs::create_symlink(site.dir.file("outside.bin"), site.conf + "/bin/last-sent.bin");
  EXPECT_EQ(change_preview(site.conf, texts),
            "The images can't be compared:\nCannot read " + site.conf +
                "/bin/last-sent.bin: it is a link, which is never followed here");
#endif
}

// The platform's own refusal, on every system that has links.
TEST(LinkInTheRecord, EachRefusingCallLeavesTheTargetAlone) {
#ifdef _WIN32
  GTEST_SKIP() << kNoLinks;
#else
  TempDir dir;
  write_file(dir.file("target"), "kept");
  stdfs::create_symlink(dir.file("target"), dir.file("link"));
  const std::string refused = ": it is a link, which is never followed here";
  const std::vector<std::pair<const char*, std::function<void()>>> calls{
      {"append", [&] { fs::append_text(dir.file("link"), "h\r\n", "line\r\n"); }},
      {"save", [&] { fs::atomic_save(dir.file("link"), "new", fs::Links::Refuse); }},
      {"read", [&] { (void)fs::read_bytes(dir.file("link"), 100, fs::Links::Refuse); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    try {
      call();
      ADD_FAILURE() << "not refused";
    } catch (const FileError& e) {
      EXPECT_TRUE(std::string(e.what()).ends_with(dir.file("link") + refused)) << e.what();
    }
    EXPECT_EQ(read_file(dir.file("target")), "kept");
    EXPECT_TRUE(stdfs::is_symlink(stdfs::symlink_status(dir.file("link"))));
  }
  // Followed as ever where links are meant to be followed.
  EXPECT_EQ(fs::read_bytes(dir.file("link"), 100), "kept");
#endif
}

// ---------------------------------------------------------------------------
// What a failed update leaves: its image and line, never a new last-sent.

struct AttemptCase {
  const char* name;
  UpdateOutcome outcome;
  bool kept;        // the image joins bin/sent
  bool last_sent;   // and becomes bin/last-sent.bin
  std::string note; // the preview's first line after it, empty for none
};

class AttemptRecorded : public testing::TestWithParam<AttemptCase> {};

TEST_P(AttemptRecorded, LastSentOnlyAfterSuccessAndThePreviewSaysHowTheLastEnded) {
  SentConfiguration site;
  const AttemptCase& c = GetParam();
  test::FakeWallClock wall;
  FileAppender log;
  RecordPorts ports{wall, log};
  EXPECT_EQ(Record_Update({site.conf, "10.0.0.7", 2, true, kImage}, c.outcome, ports), RecordFailures{});
  std::vector<std::string> sent;
  for (const auto& e : stdfs::directory_iterator(test::fs_path(site.conf + "/bin/sent")))
    sent.push_back(read_file(test::utf8(e.path())));
  EXPECT_EQ(sent.size(), c.kept ? 2u : 1u);
  EXPECT_EQ(std::find(sent.begin(), sent.end(), kImage) != sent.end(), c.kept);
  EXPECT_EQ(read_file(site.conf + "/bin/last-sent.bin"), c.last_sent ? kImage : kOlderImage);

  TextTable texts;
  texts.Fill_English_Texts();
  const std::string preview = change_preview(site.conf, texts);
  const std::string comparison = c.last_sent ? "No change" : "Changes against the image last sent:\n";
  EXPECT_TRUE(preview.starts_with(c.note + comparison)) << preview;
}

UpdateOutcome ended(int status) {
  UpdateOutcome out = outcome(Kind::UpdaterEnded);
  out.exit_status = status;
  return out;
}

constexpr const char* kFailedAt =
    "The last update attempt (2026-03-01T14:05:09+01:00) did not end in success: ";

INSTANTIATE_TEST_SUITE_P(
    Cases, AttemptRecorded,
    testing::Values(
        AttemptCase{"ended_5", ended(5), true, false, kFailedAt + std::string("updater ended 5\n")},
        AttemptCase{"ended_negative", ended(-1073741819), true, false,
                    kFailedAt + std::string("updater ended -1073741819\n")},
        // Handed over, its end unknown: kept, but no success.
        AttemptCase{"still_running", outcome(Kind::UpdaterStillRunning), true, false,
                    kFailedAt + std::string("updater still running after the wait\n")},
        AttemptCase{"not_started", outcome(Kind::UpdaterNotStarted, "Cannot start x: Exec format error"),
                    false, false,
                    kFailedAt + std::string("updater could not start: Cannot start x: Exec format error\n")},
        AttemptCase{"device_not_found", outcome(Kind::Silent), false, false,
                    kFailedAt + std::string("device not found\n")}),
    [](const auto& info) { return std::string(info.param.name); });

struct LogTail {
  const char* name;
  std::string log;     // update-log.csv; empty: none
  bool last_sent;      // bin/last-sent.bin stands
  std::string preview; // the preview's start
};

class PreviewOfTheLog : public testing::TestWithParam<LogTail> {};

TEST_P(PreviewOfTheLog, ReadsTheLastLineAsTheLogHasIt) {
  SentConfiguration site;
  const LogTail& c = GetParam();
  stdfs::remove(site.conf + "/update-log.csv");
  if (!c.log.empty()) write_file(site.conf + "/update-log.csv", c.log);
  if (!c.last_sent) stdfs::remove(site.conf + "/bin/last-sent.bin");
  TextTable texts;
  texts.Fill_English_Texts();
  std::string expected = c.preview;
  if (auto at = expected.find("LOG"); at != std::string::npos)
    expected.replace(at, 3, update_log_path(site.conf));
  const std::string preview = change_preview(site.conf, texts);
  EXPECT_TRUE(preview.starts_with(expected)) << preview;
}

const std::string kHeader = "time,address,option,read_back,checksum,sha256,outcome,exit_status,detail\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewOfTheLog,
    testing::Values(
        LogTail{"failed_before_any_success", kHeader + "t1,1.2.3.4,firmware,yes,,,updater ended,2,\r\n",
                false,
                "The last update attempt (t1) did not end in success: updater ended 2\n"
                "No image of this configuration is known to have reached the device."},
        // A detail quoted over two lines is one record; LF line ends read too.
        LogTail{"quoted_line_end",
                "time,outcome,exit_status,detail\nt1,updater ended,0,\nt2,updater could not "
                "start,,\"two\nlines\"\n",
                true,
                "The last update attempt (t2) did not end in success: updater could not start: two?lines\n"},
        LogTail{"columns_in_another_order", "outcome;time\r\ncancelled;t9\r\n", true,
                "The last update attempt (t9) did not end in success: cancelled\n"},
        // Quotes and line ends inside the lines before never mislead it.
        LogTail{"quoted_lines_before",
                "time,outcome,exit_status,detail\nt1,updater ended,5,\"a \"\"quoted\"\"\nline\"\r\n"
                "t2,device not found,,\"\"\"\"\n\n",
                true, "The last update attempt (t2) did not end in success: device not found: \"\n"},
        LogTail{"a_line_past_the_limit",
                kHeader + "t1,a,o,yes,,,cancelled,," + std::string(70000, 'x') + "\r\n", true,
                "The update log can't be shown: Cannot read LOG: a line is longer than 64 KiB\n"},
        // Its error names the row as the log has it, past a blank line.
        LogTail{"broken_quote", kHeader + "t0,a,o,yes,,,cancelled,,\r\n\r\nt1,\"open\r\n", true,
                "The update log can't be shown: LOG: row 4: a quoted field is not closed\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The sheet's last lines and the preview's last one come from the same
// reader, oldest first.
TEST(LastLoggedAttempts, TakesTheLastRecordsWholeAndOldestFirst) {
  SentConfiguration site;
  write_file(site.conf + "/update-log.csv", "outcome,time\r\na,1\r\n\r\nb,\"2\r\n2\"\r\nc,3\nd,4\r\n\r\n");
  std::vector<std::string> times;
  for (const LoggedAttempt& a : last_logged_attempts(site.conf, 3))
    times.push_back(a.outcome + a.time);
  EXPECT_EQ(times, (std::vector<std::string>{"b2\r\n2", "c3", "d4"}));
  EXPECT_EQ(last_logged_attempts(site.conf, 10).size(), 4u);
}

// Whatever the system says, the line written fits the readers' limit.
TEST(LastLoggedAttempts, TheWriterCutsWhatWouldPassTheLimit) {
  SentConfiguration site;
  test::FakeWallClock wall;
  FileAppender log;
  RecordPorts ports{wall, log};
  const std::string typed(100000, '"');
  const std::string said = std::string(100000, '"') + "\xC3\xA9";
  (void)Record_Update({site.conf, typed, 0, true, std::nullopt}, outcome(Kind::UpdaterNotStarted, said),
                      ports);
  const std::vector<LoggedAttempt> read = last_logged_attempts(site.conf, 1);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(read[0].detail.ends_with("\"...")) << read[0].detail.size();
  EXPECT_TRUE(read[0].address.ends_with("\"...")) << read[0].address.size();
  EXPECT_LE(read_file(site.conf + "/update-log.csv").size(),
            update_log_header().size() + kMaxLoggedLineBytes);
}

// An attempt that succeeded last, or none at all, gets no line.
TEST(PreviewOfTheLog, SaysNothingOfASuccessOrOfNoAttempt) {
  SentConfiguration site;
  TextTable texts;
  texts.Fill_English_Texts();
  write_file(site.conf + "/update-log.csv",
             kHeader + "t1,a,o,yes,,,updater ended,2,\r\nt2,a,o,yes,,,updater ended,0,\r\n\r\n");
  EXPECT_TRUE(change_preview(site.conf, texts).starts_with("Changes against the image last sent:\n"));
  write_file(site.conf + "/update-log.csv", kHeader);
  stdfs::remove(site.conf + "/bin/last-sent.bin");
  EXPECT_EQ(change_preview(site.conf, texts), "First update of this configuration");
  stdfs::remove(site.conf + "/update-log.csv");
  EXPECT_EQ(change_preview(site.conf, texts), "First update of this configuration");
}

// ---------------------------------------------------------------------------
// Names from folders, sheets, zips and files reach the terminal printable.

TEST(Printable, ControlCharactersAndBytesThatAreNoUtf8BecomeQuestionMarks) {
  const std::pair<std::string, std::string> cases[] = {
      {"Hall 3", "Hall 3"},
      {"Se\xC3\xB1"
       "al \xE2\x82\xAC \xF0\x9F\x8E\xB5",
       "Se\xC3\xB1"
       "al \xE2\x82\xAC \xF0\x9F\x8E\xB5"},
      {"a\x1B[31mb", "a?[31mb"},
      {"two\nlines\r", "two?lines?"},
      {"tab\there\x7F", "tab\there?"},
      {"c1 \xC2\x9B"
       "2J \xC2\x85",
       "c1 ?2J ?"}, // U+009B CSI and U+0085 NEL
      {"latin1 \xFC", "latin1 ?"},
      {"cut \xE2\x82", "cut ??"},
      {std::string("nul\0x", 5), "nul?x"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(utf8::printable(in), out) << in;
}

// Whether text holds no control character but the tab and the line ends the
// companion writes itself (LF, and CR LF in its sheets), and holds the line
// given.
::testing::AssertionResult printable_lines(const std::string& text, const std::string& line) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool line_end = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
    if ((static_cast<unsigned char>(c) < 0x20 && !line_end && c != '\t') || c == '\x7F')
      return ::testing::AssertionFailure() << "a control character in: " << utf8::printable(text);
  }
  if (text.find(line) == std::string::npos)
    return ::testing::AssertionFailure() << "no \"" << line << "\" in: " << text;
  return ::testing::AssertionSuccess();
}

const std::string kEvil = "Ev\x1B[31mil\nX";
const std::string kShown = "Ev?[31mil?X";

struct NameCase {
  const char* name;
  std::function<test::CliRun(SentConfiguration&)> run;
  std::string line;         // what the companion prints of the name
  bool folder_name = false; // the name is a folder's
};

class NameOnTheTerminal : public testing::TestWithParam<NameCase> {};

TEST_P(NameOnTheTerminal, IsPrintable) {
#ifdef _WIN32
  if (GetParam().folder_name) GTEST_SKIP() << "Windows holds no control character in a file name";
#endif
  SentConfiguration site;
  const auto run = GetParam().run(site);
  EXPECT_TRUE(printable_lines(run.out + run.err, GetParam().line));
}

test::CliRun site_with_evil_folder(SentConfiguration& site) {
  const std::string evil = site.dir.file("PROJECTS/" + kEvil);
  stdfs::create_directories(evil);
  Save_Par_Gen(evil + "/ParGen.xml", Par_Gen_Set());
  return run_cli(site.dir.path(), {"check", "--site"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameOnTheTerminal,
    testing::Values(
        NameCase{"check_site_verdict", site_with_evil_folder, kShown + ": OK\n", true},
        NameCase{"check_site_notes", site_with_evil_folder, "note: Base, " + kShown + ": the same IP address",
                 true},
        NameCase{"check_site_unreadable",
                 [](SentConfiguration& site) {
                   const std::string evil = site.dir.file("PROJECTS/" + kEvil);
                   stdfs::create_directories(evil + "/ParGen.xml");
                   return run_cli(site.dir.path(), {"check", "--site"});
                 },
                 "PROJECTS/" + kShown + "/ParGen.xml", true},
        NameCase{"batch_sheet_name",
                 [](SentConfiguration& site) {
                   write_file(site.dir.file("site.csv"), "Name\r\n\"A\x1B[2J\nB\"\r\nC\x1B]0;t\x07\r\n");
                   return run_cli(site.dir.path(), {"batch", site.conf, site.dir.file("site.csv")});
                 },
                 "row 2: A?[2J?B: "},
        NameCase{"zip_entry_not_of_a_configuration",
                 [](SentConfiguration& site) {
                   zip::write(site.dir.file("evil.zip"), {{"Base", {}, true}, {"Base/" + kEvil, "x", false}});
                   return run_cli(site.dir.path(), {"import", site.dir.file("evil.zip")});
                 },
                 "entry \"Base/" + kShown + "\" is not a file of a configuration"},
        NameCase{
            "zip_entry_outside_its_folder",
            [](SentConfiguration& site) {
              zip::write(site.dir.file("evil.zip"), {{kEvil, {}, true}, {"Other/ParGen.xml", "x", false}});
              return run_cli(site.dir.path(), {"import", site.dir.file("evil.zip")});
            },
            "is outside the folder " + kShown},
        NameCase{"diff_mnemonic",
                 [](SentConfiguration& site) {
                   Save_DMX_Defaults(site.conf + "/DMX_Default_Values.xml", {{"9", kEvil}});
                   return run_cli(site.dir.path(), {"diff", site.conf + "/bin/last-sent.bin", site.conf});
                 },
                 "Channel 1 (" + kShown + "): 34 -> 9"},
        NameCase{"compile_of_a_folder_listed",
                 [](SentConfiguration& site) {
                   stdfs::create_directories(site.dir.file("PROJECTS/" + kEvil + "/bin"));
                   return run_cli(site.dir.path(), {"compile", site.dir.file("PROJECTS/" + kEvil)});
                 },
                 "/PROJECTS/" + kShown + "/bin/bank.bin\n", true},
        NameCase{"texts_of_a_language_file",
                 [](SentConfiguration& site) {
                   write_file(site.dir.file("LANGUAGE/Evil.lng"), "STR0 = Sta\x1B[31mr\x07t\r\n");
                   return run_cli(site.dir.path(), {"texts", "--language", "Evil"});
                 },
                 "STR0 = Sta?[31mr?t\r\n"},
        NameCase{"unknown_command",
                 [](SentConfiguration& site) { return run_cli(site.dir.path(), {"x" + kEvil}); },
                 "unknown command 'x" + kShown + "'"},
        NameCase{"language_asked_for",
                 [](SentConfiguration& site) {
                   return run_cli(site.dir.path(), {"texts", "--language", kEvil});
                 },
                 "no language " + kShown + " in "},
        NameCase{"batch_name_of_megabytes",
                 [](SentConfiguration& site) {
                   write_file(site.dir.file("site.csv"),
                              "Name,IP\r\n" + std::string(1 << 20, 'A') + ",x\r\n");
                   return run_cli(site.dir.path(), {"batch", site.conf, site.dir.file("site.csv")});
                 },
                 "row 2: " + std::string(80, 'A') + "\xE2\x80\xA6: "},
        NameCase{"sheet_of_the_site",
                 [](SentConfiguration& site) {
                   site_with_evil_folder(site);
                   return run_cli(site.dir.path(), {"sheet", site.dir.file("PROJECTS")});
                 },
                 "\r\n" + kShown + ",", true},
        NameCase{"site_table",
                 [](SentConfiguration& site) {
                   site_with_evil_folder(site);
                   return run_cli(site.dir.path(), {"site"});
                 },
                 "\n" + kShown + "  never-sent", true},
        NameCase{"site_json",
                 [](SentConfiguration& site) {
                   site_with_evil_folder(site);
                   return run_cli(site.dir.path(), {"site", "--json"});
                 },
                 "{\"name\":\"Ev\\u001b[31mil\\u000aX\",", true},
        NameCase{"update_site_line",
                 [](SentConfiguration& site) {
                   site_with_evil_folder(site);
                   return run_cli(site.dir.path(), {"update", "--site", "--dry-run"});
                 },
                 "\n" + kShown + " 192.168.0.5: would be updated\n", true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The device names Windows reserves, all of them.

TEST(ReservedNames, EveryPortWindowsKeepsIsRefused) {
  for (const char* name : {"COM0", "LPT0", "com0.txt", "Lpt0 .old", "COM\xC2\xB9", "COM\xC2\xB2",
                           "COM\xC2\xB3", "LPT\xC2\xB9", "lpt\xC2\xB2", "LPT\xC2\xB3.csv", "COM\xC2\xB9 "})
    EXPECT_FALSE(is_portable_name(name)) << name;
  // Other superscripts and longer numbers are ordinary names.
  for (const char* name : {"COM10", "LPT00", "COM\xE2\x81\xB4", "COM\xC2\xB9\xC2\xB9", "COMA"})
    EXPECT_TRUE(is_portable_name(name)) << name;
}

// Control characters of every kind, and bytes no other system can hold.
TEST(ReservedNames, C1ControlsAndBrokenUtf8AreNoNames) {
  for (const char* name : {"\xC2\x9B"
                           "2J",
                           "\xC2\x85nel", "x\xC2\x9Fy", "Caf\xE9",
                           "a\xC0\xAF"
                           "b"})
    EXPECT_FALSE(is_portable_name(name)) << name;
  for (const char* name : {"B\xC3\xBChne S\xC3\xBC"
                           "d",
                           "Hall \xC2\xA0"
                           "A",
                           "\xE2\x82\xAC"})
    EXPECT_TRUE(is_portable_name(name)) << name;
}

TEST(ReservedNames, TheCompanionRefusesThemAsNewNames) {
  // The companion refuses them as a new configuration's name.
  SentConfiguration site;
  auto run = run_cli(site.dir.path(), {"duplicate", site.conf, "COM\xC2\xB3"});
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_FALSE(stdfs::exists(test::fs_path(site.dir.file("PROJECTS/COM\xC2\xB3"))));
}

} // namespace
} // namespace lw
