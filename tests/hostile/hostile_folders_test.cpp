// Ground a hostile tester prepares around the configurations' folders: links
// and strangers in a configuration's place, folders that hold none, the
// leftovers of a copy killed halfway, hidden names, and the companion
// stopped by a signal while it reports.
#include "child_process.h"
#include "cli_run.h"
#include "core/text_ids.h"
#include "fakes.h"
#include "params/par_gen.h"
#include "program_folder.h"
#include "projects/project_name.h"
#include "temp_dir.h"
#include "window_logic/open_conf_dialog.h"
#include "window_logic/sheet_conf_dialog.h"
#include "window_logic/startup.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>

#ifndef _WIN32
#include <csignal>
#endif

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::run_cli;
using test::TempDir;
using test::write_file;

#ifdef _WIN32
constexpr const char* kNoLinks = "links in Windows' file system need the administrator's rights";
#endif

// Every entry under root by its place, a link as where it leads and never
// followed, a file with its bytes: what a command must leave as it was.
std::map<std::string, std::string> snapshot(const std::string& root) {
  std::map<std::string, std::string> out;
  for (const auto& e : stdfs::recursive_directory_iterator(test::fs_path(root))) {
    std::string place = test::utf8(stdfs::relative(e.path(), test::fs_path(root)).generic_u8string());
    auto status = e.symlink_status();
    if (stdfs::is_symlink(status))
      out[place] = "link to " + test::utf8(stdfs::read_symlink(e.path()));
    else if (stdfs::is_directory(status))
      out[place + "/"] = "";
    else
      out[place] = stdfs::is_regular_file(status) ? test::read_file(test::utf8(e.path())) : "special";
  }
  return out;
}

std::vector<std::string> hidden_entries(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : stdfs::directory_iterator(test::fs_path(folder)))
    if (test::utf8(e.path().filename()).starts_with(".")) out.push_back(test::utf8(e.path().filename()));
  return out;
}

void link_to(const std::string& target, const std::string& link) {
  stdfs::create_directories(test::fs_path(link).parent_path());
  stdfs::create_symlink(test::fs_path(target), test::fs_path(link));
}

std::string parameters_at(const std::string& ip4) {
  return "<Par_Gen><Ethernet_IP4>" + ip4 + "</Ethernet_IP4></Par_Gen>";
}

// A program folder with a template configuration, the language files, and a
// folder elsewhere that looks like a configuration and must stay as it is.
class Folders : public testing::Test {
public:
  void SetUp() override {
    stdfs::create_directories(dir.file("PROJECTS/Template/bin"));
    Save_Par_Gen(dir.file("PROJECTS/Template/ParGen.xml"), Par_Gen_Set{});
    write_file(dir.file("PROJECTS/Template/DMX_Default_Values.xml"), "<DMX><Row Default_Value=\"9\"/></DMX>");
    write_file(dir.file("LANGUAGE/English.lng"), "the language");
    write_file(dir.file("elsewhere/ParGen.xml"), parameters_at("77"));
    write_file(dir.file("elsewhere/bin/bank.bin"), "elsewhere's image");
    write_file(dir.file("elsewhere/keep.txt"), "someone else's");
    write_file(dir.file("site.csv"), "Name,IP\nHall,10.0.0.9\n");
  }
  std::string projects(const std::string& name = {}) const {
    return name.empty() ? dir.file("PROJECTS") : dir.file("PROJECTS/" + name);
  }
  test::CliRun batch_replace() {
    return run_cli(dir.path(), {"batch", projects("Template"), dir.file("site.csv"), "--replace"});
  }
  TempDir dir;
};

// ---- What stands under a name replace would write -------------------------

struct ReplaceGround {
  const char* name;
  bool needs_links;
  std::function<void(const Folders&)> lay; // makes PROJECTS/Hall
  std::string reason;                      // what the sheet's row says
};

class StandingInTheWay : public Folders, public testing::WithParamInterface<ReplaceGround> {};

// The row is refused with its reason before anything is written, in the
// companion and in the dialog alike; the folder elsewhere, the program's own
// files and PROJECTS stay exactly as they were, with nothing hidden left.
TEST_P(StandingInTheWay, IsRefusedInThePlanAndNothingMoves) {
#ifdef _WIN32
  if (GetParam().needs_links) GTEST_SKIP() << kNoLinks;
#endif
  GetParam().lay(*this);
  const auto before = snapshot(dir.path());
  auto r = batch_replace();
  EXPECT_EQ(r.status, 3) << r.out << r.err;
  EXPECT_NE(r.out.find("row 2: Hall: " + GetParam().reason), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("nothing written"), std::string::npos) << r.out;
  EXPECT_EQ(snapshot(dir.path()), before);
  EXPECT_EQ(hidden_entries(projects()), std::vector<std::string>{});

  const ProgramFolders folders = program_folders(dir.path());
  const OpenConfiguration none_open;
  const Catalogue catalogue = test::english_catalogue();
  test::FakeMessages messages;
  test::FakeFilePicker files;
  SheetConfLogic dialog(folders, none_open, catalogue, messages, files);
  const SheetPlanView& view = dialog.rebuild("Template", dir.file("site.csv"), true);
  EXPECT_FALSE(view.ready);
  ASSERT_FALSE(view.rows.empty());
  EXPECT_TRUE(view.rows.front().problem);
  EXPECT_NE(view.rows.front().status.find(GetParam().reason), std::string::npos) << view.rows.front().status;
  EXPECT_FALSE(dialog.Btn_CreateClick({}));
  EXPECT_EQ(snapshot(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Grounds, StandingInTheWay,
    testing::Values(
        ReplaceGround{"link_to_a_configuration_elsewhere", true,
                      [](const Folders& f) { link_to(f.dir.file("elsewhere"), f.projects("Hall")); },
                      "a link, not a configuration's own folder"},
        ReplaceGround{"link_to_the_program_folder", true,
                      [](const Folders& f) { link_to("..", f.projects("Hall")); },
                      "a link, not a configuration's own folder"},
        ReplaceGround{"folder_holding_no_configuration", false,
                      [](const Folders& f) { write_file(f.projects("Hall/photos/site.jpg"), "a photo"); },
                      "no configuration there"},
        ReplaceGround{"file_in_its_place", false,
                      [](const Folders& f) { write_file(f.projects("Hall"), "x"); }, "Not a directory"},
        ReplaceGround{"link_to_nothing", true,
                      [](const Folders& f) { link_to(f.dir.file("nowhere"), f.projects("Hall")); },
                      "No such file or directory"},
        ReplaceGround{"parameters_linked_out", true,
                      [](const Folders& f) {
                        stdfs::create_directories(f.projects("Hall/bin"));
                        link_to(f.dir.file("elsewhere/ParGen.xml"), f.projects("Hall/ParGen.xml"));
                      },
                      "ParGen.xml in it is a link"},
        ReplaceGround{"bin_linked_out", true,
                      [](const Folders& f) {
                        write_file(f.projects("Hall/ParGen.xml"), parameters_at("5"));
                        link_to(f.dir.file("elsewhere/bin"), f.projects("Hall/bin"));
                      },
                      "bin in it is a link"},
        ReplaceGround{"image_linked_out", true,
                      [](const Folders& f) {
                        write_file(f.projects("Hall/ParGen.xml"), parameters_at("5"));
                        link_to(f.dir.file("elsewhere/bin/bank.bin"), f.projects("Hall/bin/bank.bin"));
                      },
                      test::native("bin/bank.bin") + " in it is a link"}),
    [](const auto& info) { return std::string(info.param.name); });

// A configuration replaced takes the new configuration's own files, each
// written where it stands; what the program does not own, and the record of
// what was sent, stay as they were.
TEST_F(Folders, ReplaceWritesTheConfigurationsFilesAndKeepsEverythingElse) {
  const std::map<std::string, std::string> kept = {
      {"update-log.csv", "time,address\r\nt1,10.0.0.9\r\n"},
      {"bin/last-sent.bin", std::string(2560, 'L')},
      {"bin/sent/bank-20261210-120000-000.bin", std::string(2560, 'S')},
      {"notes.txt", "the user's notes"},
      {"photos/cabinet.jpg", "a photo"}};
  for (const auto& [place, bytes] : kept)
    write_file(projects("Hall/" + place), bytes);
  write_file(projects("Hall/ParGen.xml"), parameters_at("5"));
  write_file(projects("Hall/DMX_Default_Values.xml"), "<DMX><Row Default_Value=\"1\"/></DMX>");
  write_file(projects("Hall/ModbusM_SetAccess.xml"), "<M/>"); // the template has none
  write_file(projects("Hall/bin/bank.bin"), "old image");

  auto r = batch_replace();
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("row 2: Hall: replaced"), std::string::npos) << r.out;
  for (const auto& [place, bytes] : kept)
    EXPECT_EQ(test::read_file(projects("Hall/" + place)), bytes) << place;
  EXPECT_EQ(Load_Par_Gen(projects("Hall/ParGen.xml")).Ethernet_IP4, "9");
  EXPECT_EQ(test::read_file(projects("Hall/DMX_Default_Values.xml")),
            test::read_file(projects("Template/DMX_Default_Values.xml")));
  EXPECT_FALSE(stdfs::exists(test::fs_path(projects("Hall/ModbusM_SetAccess.xml"))));
  EXPECT_EQ(stdfs::file_size(test::fs_path(projects("Hall/bin/bank.bin"))), 2560u);
  EXPECT_EQ(hidden_entries(projects()), std::vector<std::string>{});
}

// ---- What is a configuration ----------------------------------------------

struct NotAConfiguration {
  const char* name;
  bool needs_links;
  std::function<void(const Folders&)> lay; // makes PROJECTS/X
  std::string reason;
};

class NoConfiguration : public Folders, public testing::WithParamInterface<NotAConfiguration> {};

// Every command that takes a configuration folder refuses another folder
// with its reason and writes nothing, neither in it nor beside it.
TEST_P(NoConfiguration, IsRefusedByEveryCommandThatTakesOne) {
#ifdef _WIN32
  if (GetParam().needs_links) GTEST_SKIP() << kNoLinks;
#endif
  GetParam().lay(*this);
  write_file(dir.file("channels.csv"), "Channel,Value\n1,5\n");
  const std::string x = projects("X");
  const auto before = snapshot(dir.path());
  const std::vector<cli::Args> commands = {
      {"compile", x},
      {"compile", x, "-o", dir.file("out.bin")},
      {"diff", x, projects("Template")},
      {"diff", projects("Template"), x},
      {"check", x},
      {"duplicate", x, "Copy"},
      {"report", x, "-o", dir.file("sheet.html")},
      {"export", x, "-o", dir.file("x.zip")},
      {"dmx", "export", x},
      {"dmx", "import", x, dir.file("channels.csv")},
      {"descriptor", x, "--ip", "10.0.0.9", "-o", dir.file("descriptor.xml")},
      {"batch", x, dir.file("site.csv")},
  };
  for (const cli::Args& args : commands) {
    auto r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args[1] << "\n" << r.out << r.err;
    EXPECT_NE(r.err.find(GetParam().reason), std::string::npos) << args[0] << " " << args[1] << ": " << r.err;
    EXPECT_EQ(snapshot(dir.path()), before) << args[0] << " " << args[1];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grounds, NoConfiguration,
    testing::Values(NotAConfiguration{"empty_folder", false,
                                      [](const Folders& f) { stdfs::create_directories(f.projects("X")); },
                                      "no configuration there"},
                    NotAConfiguration{"folder_of_other_things", false,
                                      [](const Folders& f) { write_file(f.projects("X/readme.txt"), "hi"); },
                                      "no configuration there"},
                    NotAConfiguration{
                        "link_to_a_configuration", true,
                        [](const Folders& f) { link_to(f.dir.file("elsewhere"), f.projects("X")); },
                        "a link, not a configuration's own folder"},
                    NotAConfiguration{"link_to_its_own_folder", true,
                                      [](const Folders& f) { link_to(".", f.projects("X")); },
                                      "a link, not a configuration's own folder"},
                    // The shape of a disk's root, whose bin is a link to
                    // usr/bin: compile wrote its image there.
                    NotAConfiguration{"only_a_bin_link", true,
                                      [](const Folders& f) {
                                        stdfs::create_directories(test::fs_path(f.dir.file("usr/bin")));
                                        link_to(f.dir.file("usr/bin"), f.projects("X/bin"));
                                      },
                                      "no configuration there"}),
    [](const auto& info) { return std::string(info.param.name); });

// The site's listings hold its configurations alone: a hidden folder, an
// empty one and links are no part of the verdicts, the sheet or the notes.
TEST_F(Folders, SiteListingsHoldTheConfigurationsAlone) {
  write_file(projects("A/ParGen.xml"), parameters_at("9"));
  write_file(projects("B/ParGen.xml"), parameters_at("8"));
  stdfs::remove_all(test::fs_path(projects("Template")));
  // A copy killed halfway, holding a whole configuration at A's address.
  write_file(projects(".new-configuration-a1B2c3/ParGen.xml"), parameters_at("9"));
  stdfs::create_directories(test::fs_path(projects(".new-configuration-a1B2c3/bin")));
  stdfs::create_directories(test::fs_path(projects("Empty")));
  std::string skipped = "Empty: skipped: no configuration there";
#ifndef _WIN32
  link_to(projects("A"), projects("Linked"));
  link_to("/dev", projects("Dev"));
  link_to(".", projects("Self"));
#endif
  auto check = run_cli(dir.path(), {"check", "--site", projects()});
  EXPECT_EQ(check.status, 0) << check.err;
  EXPECT_TRUE(check.out.starts_with("A: OK\nB: OK\n")) << check.out;
  EXPECT_NE(check.out.find(skipped), std::string::npos) << check.out;
#ifndef _WIN32
  for (const char* link : {"Dev", "Linked", "Self"})
    EXPECT_NE(check.out.find(std::string(link) + ": skipped: a link, not a configuration's own folder\n"),
              std::string::npos)
        << check.out;
#endif
  EXPECT_EQ(check.out.find(".new-configuration"), std::string::npos) << check.out;
  EXPECT_EQ(check.out.find("note:"), std::string::npos) << check.out;

  auto sheet = run_cli(dir.path(), {"sheet", projects()});
  EXPECT_EQ(sheet.status, 0) << sheet.err;
  std::vector<std::string> names;
  for (std::size_t at = sheet.out.find("\r\n"); at != std::string::npos; at = sheet.out.find("\r\n", at + 2))
    if (at + 2 < sheet.out.size())
      names.push_back(sheet.out.substr(at + 2, sheet.out.find(',', at) - at - 2));
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B"})) << sheet.out;
  EXPECT_NE(sheet.err.find(skipped), std::string::npos) << sheet.err;
}

// ---- Leftovers and hidden names --------------------------------------------

struct Leftover {
  const char* name;
  int age_seconds;
  bool removed;
};

// Only the program's own folders aside go, once a minute old, whole; a link
// of that name goes nowhere and takes nothing with it.
TEST_F(Folders, StartRemovesOnlyItsOwnStaleFoldersAside) {
  const Leftover leftovers[] = {
      {".new-configuration-a1B2c3", 120, true},
      {".new-configuration-young1", 0, false},     // another instance may be building it
      {".new-configuration-toolong1", 120, false}, // not the pattern
      {".other-a1b2c3", 120, false},               // not the program's
      {"new-configuration-a1b2c3", 120, false},    // not hidden: the user's own
  };
  for (const Leftover& l : leftovers) {
    write_file(projects(std::string(l.name) + "/ParGen.xml"), parameters_at("9"));
    write_file(projects(std::string(l.name) + "/bin/bank.bin"), "image");
    try {
      stdfs::last_write_time(test::fs_path(projects(l.name)),
                             stdfs::file_time_type::clock::now() - std::chrono::seconds(l.age_seconds));
    } catch (const stdfs::filesystem_error& e) {
      GTEST_SKIP() << "a folder's time can't be set here: " << e.what();
    }
  }
#ifndef _WIN32
  link_to(dir.file("elsewhere"), projects(".new-configuration-l1n2k3"));
#endif
  const auto elsewhere = snapshot(dir.file("elsewhere"));
  test::FakeTimer timer;
  (void)Run_Startup(program_folders(dir.path()), timer);
  for (const Leftover& l : leftovers)
    EXPECT_EQ(!stdfs::exists(test::fs_path(projects(l.name))), l.removed) << l.name;
  EXPECT_EQ(snapshot(dir.file("elsewhere")), elsewhere);
#ifndef _WIN32
  EXPECT_TRUE(stdfs::is_symlink(stdfs::symlink_status(projects(".new-configuration-l1n2k3"))));
#endif
}

TEST_F(Folders, TheOpenDialogListsNoHiddenFolder) {
  stdfs::create_directories(test::fs_path(projects(".new-configuration-a1B2c3/bin")));
  stdfs::create_directories(test::fs_path(projects(".git")));
  const ProgramFolders folders = program_folders(dir.path());
  const OpenConfiguration none_open;
  OpenConfLogic dialog(folders, none_open);
  dialog.FormShow();
  EXPECT_EQ(dialog.SL(), std::vector<std::string>{"Template"});
}

// A hidden name would be missing from every list: refused as not valid,
// wherever a new configuration is named.
TEST_F(Folders, ANewNameBeginningWithADotIsNotValid) {
  for (const std::string name : {".hidden", ".new-configuration-a1b2c3", ". Hall"}) {
    EXPECT_EQ(new_name_refusal(projects(), name), NameRefusal::NotValid) << name;
    auto r = run_cli(dir.path(), {"duplicate", projects("Template"), name});
    EXPECT_EQ(r.status, 3) << name << ": " << r.out;
    EXPECT_EQ(r.err, "loomwork-cli duplicate: " + cli::english_texts().Get(text_id::kMsgNameNotValid) + "\n");
    EXPECT_FALSE(stdfs::exists(test::fs_path(projects(name)))) << name;
  }
  write_file(dir.file("hidden.csv"), "Name,IP\n.Hall,10.0.0.9\n");
  auto r = run_cli(dir.path(), {"batch", projects("Template"), dir.file("hidden.csv")});
  EXPECT_EQ(r.status, 3) << r.out;
  EXPECT_EQ(hidden_entries(projects()), std::vector<std::string>{});
}

// ---- The companion stopped while it reports --------------------------------

// A script that stops a sheet learns of every configuration made up to the
// signal: each line is out the moment it is printed, not held back with the
// last hundred.
TEST_F(Folders, EveryLineIsOutBeforeAStopSignal) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no SIGTERM to stop the companion with";
#else
  constexpr int kRows = 3000;
  std::string sheet = "Name\n";
  for (int i = 0; i < kRows; ++i)
    sheet += "Unit " + std::to_string(i) + "\n";
  write_file(dir.file("big.csv"), sheet);
  const std::string out = dir.file("out.txt");
  auto made = [&] {
    int count = 0;
    for (const auto& e : stdfs::directory_iterator(projects())) {
      std::string name = test::utf8(e.path().filename());
      count += name.starts_with("Unit ") ? 1 : 0;
    }
    return count;
  };
  test::Child child("/bin/sh",
                    {"-c", "exec \"$0\" batch \"$1\" \"$2\" > \"$3\"", LOOMWORK_CLI, projects("Template"),
                     dir.file("big.csv"), out},
                    "", {});
  ASSERT_TRUE(test::wait_until([&] { return made() >= 3; }, std::chrono::seconds(60)));
  child.signal(SIGTERM);
  ASSERT_TRUE(child.wait_for(std::chrono::seconds(30)).has_value());
  const int folders = made();
  ASSERT_LT(folders, kRows) << "the sheet was made whole before the signal";
  const std::string printed = test::read_file(out);
  int lines = 0;
  for (std::size_t at = printed.find(": created\n"); at != std::string::npos;
       at = printed.find(": created\n", at + 1))
    ++lines;
  // The one renamed into place as the signal came may not have its line yet.
  EXPECT_GE(lines, folders - 1) << printed;
  EXPECT_LE(lines, folders);
#endif
}

// A configuration whose bin is a link keeps its image inside all the same:
// compile refuses rather than write through it.
TEST_F(Folders, CompileNeverWritesThroughALinkedBin) {
#ifdef _WIN32
  GTEST_SKIP() << kNoLinks;
#endif
  write_file(projects("Hall/ParGen.xml"), parameters_at("5"));
  stdfs::create_directories(test::fs_path(dir.file("outside")));
  link_to(dir.file("outside"), projects("Hall/bin"));
  auto r = run_cli(dir.path(), {"compile", projects("Hall")});
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_NE(r.err.find("it is a link"), std::string::npos) << r.err;
  EXPECT_TRUE(stdfs::is_empty(test::fs_path(dir.file("outside"))));
}

} // namespace
} // namespace lw
