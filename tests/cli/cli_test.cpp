#include "cli_run.h"
#include "folder_tree.h"
#include "projects/configuration_folder.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ranges>

namespace lw {
namespace {

using test::CliRun;
using test::run_cli;

// The words that name the command: "dmx export" is two arguments.
cli::Args command_words(const cli::Command& command) {
  cli::Args words;
  for (auto word : std::views::split(command.name, ' '))
    words.emplace_back(word.begin(), word.end());
  return words;
}

// The usage line of every command, as the companion has always printed it.
const std::map<std::string_view, std::string> kSynopses{
    {"texts", "texts [--language NAME]"},
    {"check", "check CONF_DIR"},
    {"check --site", "check --site [PROJECTS_DIR]"},
    {"duplicate", "duplicate CONF_DIR NEW_NAME"},
    {"import-image", "import-image IMAGE NAME [--projects PROJECTS_DIR]"},
    {"export", "export CONF_DIR -o FILE.zip"},
    {"import", "import FILE.zip [--name NAME]"},
    {"batch", "batch TEMPLATE_DIR SHEET.csv [--replace] [--dry-run]"},
    {"site", "site [PROJECTS_DIR] [--probe] [--json]"},
    {"sheet", "sheet [PROJECTS_DIR] [-o FILE]"},
    {"compile", "compile CONF_DIR [-o FILE]"},
    {"inspect", "inspect FILE [--json]"},
    {"diff", "diff A B [--json]"},
    {"report", "report CONF_DIR -o FILE [--language NAME]"},
    {"report --site", "report --site [PROJECTS_DIR] -o FILE [--language NAME]"},
    {"descriptor", "descriptor CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back] [-o FILE]"},
    {"update", "update CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back]"},
    {"update --site",
     "update --site [PROJECTS_DIR] [--only changed|never-sent|failed] [--option 0|1|2] [--no-read-back] "
     "[--dry-run]"},
    {"dmx export", "dmx export CONF_DIR [-o FILE]"},
    {"dmx import", "dmx import CONF_DIR FILE"},
    {"check-update", "check-update [--server URL]"},
    {"--help", "--help"},
    {"--version", "--version"},
};

TEST(CliCommands, EveryRowHasItsUsageLineAndItsLineInTheHelp) {
  test::TempDir dir;
  CliRun help = run_cli(dir.path(), {"--help"});
  ASSERT_EQ(help.status, 0);
  ASSERT_EQ(cli::commands().size(), kSynopses.size());
  for (const auto& command : cli::commands()) {
    std::string line = cli::synopsis(command.name, command.syntax);
    EXPECT_EQ(line, kSynopses.at(command.name));
    auto at = help.out.find("\n  " + line + " ");
    if (at == std::string::npos) at = help.out.find("\n  " + line + "\n");
    ASSERT_NE(at, std::string::npos) << line << "\n" << help.out;
    auto summary = help.out.find(command.summary, at);
    ASSERT_NE(summary, std::string::npos) << command.summary;
    // The summary follows on the same line or the next one, nothing between.
    EXPECT_LE(std::count(help.out.begin() + static_cast<long>(at) + 1,
                         help.out.begin() + static_cast<long>(summary), '\n'),
              1);
  }
}

TEST(CliCommands, HelpKeepsItsLayout) {
  test::TempDir dir;
  EXPECT_EQ(
      run_cli(dir.path(), {"--help"}).out,
      "usage: loomwork-cli COMMAND [ARGS]\n"
      "\n"
      "Headless companion of the Loomwork configurator.\n"
      "\n"
      "commands:\n"
      "  texts [--language NAME]   print the text catalogue as a complete language file\n"
      "  check CONF_DIR            run the editors' tests on a configuration's stored files,"
      " then its addressing notes\n"
      "  check --site [PROJECTS_DIR]\n"
      "                            check every configuration in PROJECTS_DIR"
      " (default: PROJECTS beside the program), then their addressing\n"
      "  duplicate CONF_DIR NEW_NAME\n"
      "                            copy a configuration beside it under a new name\n"
      "  import-image IMAGE NAME [--projects PROJECTS_DIR]\n"
      "                            make the configuration NAME in PROJECTS_DIR (default: PROJECTS beside the "
      "program) from a parameter image; mnemonics can't be recovered\n"
      "  export CONF_DIR -o FILE.zip\n"
      "                            write the configuration, its update log and the images sent as one zip\n"
      "  import FILE.zip [--name NAME]\n"
      "                            make a configuration in PROJECTS beside the program from a zip written "
      "by export\n"
      "  batch TEMPLATE_DIR SHEET.csv [--replace] [--dry-run]\n"
      "                            make a configuration for each row of a site sheet from a template, all or "
      "none\n"
      "  site [PROJECTS_DIR] [--probe] [--json]\n"
      "                            every unit of PROJECTS_DIR (default: PROJECTS beside the program) with "
      "its "
      "state, address now and last attempt\n"
      "  sheet [PROJECTS_DIR] [-o FILE]\n"
      "                            write the site sheet of the configurations in PROJECTS_DIR (default: "
      "PROJECTS"
      " beside the program)\n"
      "  compile CONF_DIR [-o FILE]\n"
      "                            compile the configuration into bank.bin (or FILE)\n"
      "  inspect FILE [--json]     decode a parameter image: fields, checksum, DMX values\n"
      "  diff A B [--json]         what changes from image A to image B; each an image file or a "
      "configuration "
      "folder\n"
      "  report CONF_DIR -o FILE [--language NAME]\n"
      "                            write the configuration's commissioning sheet as FILE.pdf or FILE.html, "
      "labels in NAME (default: the program's language)\n"
      "  report --site [PROJECTS_DIR] -o FILE [--language NAME]\n"
      "                            write the site report of every configuration in PROJECTS_DIR as "
      "FILE.pdf or FILE.html: each unit's addresses, image and state, then the addressing notes\n"
      "  descriptor CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back] [-o FILE]\n"
      "                            write the update descriptor for the configuration\n"
      "  update CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back]\n"
      "                            the whole device update: image, probe, descriptor, updater\n"
      "  update --site [PROJECTS_DIR] [--only changed|never-sent|failed] [--option 0|1|2] [--no-read-back] "
      "[--dry-run]\n"
      "                            update the units of PROJECTS_DIR (default: PROJECTS beside the program) "
      "one "
      "after another, each at its address now, a line each and a summary\n"
      "  dmx export CONF_DIR [-o FILE]\n"
      "                            write the DMX channel table as CSV to standard output (or FILE)\n"
      "  dmx import CONF_DIR FILE  read channel values and mnemonics from a CSV file into the table\n"
      "  check-update [--server URL]\n"
      "                            ask the vendor's server (or URL) for a newer version: newer or none\n"
      "  --help                    show this help\n"
      "  --version                 print the configurator's version\n");
  for (const char* alias : {"-h", "help"})
    EXPECT_EQ(run_cli(dir.path(), {alias, "whatever"}).out, run_cli(dir.path(), {"--help"}).out) << alias;
}

TEST(CliCommands, UnknownCommandIsAUsageError) {
  test::TempDir dir;
  CliRun r = run_cli(dir.path(), {"frobnicate"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "loomwork-cli: unknown command 'frobnicate' (try --help)\n");
  EXPECT_EQ(r.out, "");
  for (const cli::Args& args : {cli::Args{"dmx"}, cli::Args{"dmx", "exprot", "."}}) {
    r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "loomwork-cli: unknown command '" + (args.size() > 1 ? "dmx " + args[1] : "dmx") +
                         "' (try --help)\n");
  }
  // A two-word command is two arguments, never one with a blank in it.
  EXPECT_EQ(run_cli(dir.path(), {"dmx export", "."}).status, 2);
}

TEST(CliCommands, BadArgumentOfEachCommandIsAUsageError) {
  test::TempDir dir;
  for (const auto& command : cli::commands()) {
    if (command.syntax.rest_ignored) continue;
    std::string name(command.name);
    cli::Args words = command_words(command);
    const std::pair<cli::Args, std::string> extras[] = {
        {{"--no-such-option"}, "unknown option --no-such-option"},
        {{"a", "b", "c", "d"}, "one argument too many: "}};
    for (const auto& [extra, what] : extras) {
      cli::Args args = words;
      args.insert(args.end(), extra.begin(), extra.end());
      CliRun r = run_cli(dir.path(), args);
      EXPECT_EQ(r.status, 2) << name;
      EXPECT_TRUE(r.err.starts_with("loomwork-cli " + name + ": " + what)) << r.err;
      EXPECT_TRUE(r.err.ends_with("; usage: " + kSynopses.at(command.name) + "\n")) << r.err;
      EXPECT_EQ(r.out, "") << name;
    }
  }
}

// Each argument and option of a command has its line in `COMMAND --help`,
// under its usage line and its summary.
TEST(CliCommands, EachCommandExplainsItsArguments) {
  test::TempDir dir;
  for (const auto& command : cli::commands()) {
    if (command.syntax.rest_ignored) continue;
    cli::Args args = command_words(command);
    args.push_back("--help");
    CliRun r = run_cli(dir.path(), args);
    EXPECT_EQ(r.status, 0) << command.name;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out.starts_with("usage: loomwork-cli " + kSynopses.at(command.name) + "\n\n" +
                                  std::string(command.summary) + "\n"))
        << r.out;
    auto explained = [&](const std::string& left, std::string_view description) {
      EXPECT_FALSE(description.empty()) << command.name << " " << left;
      EXPECT_EQ(description.find('\n'), std::string_view::npos) << description;
      auto at = r.out.find("\n  " + left + " ");
      if (at == std::string::npos) at = r.out.find("\n  " + left + "\n");
      ASSERT_NE(at, std::string::npos) << left << "\n" << r.out;
      auto text = r.out.find(description, at);
      ASSERT_NE(text, std::string::npos) << description << "\n" << r.out;
      EXPECT_LE(std::count(r.out.begin() + static_cast<long>(at) + 1, r.out.begin() + static_cast<long>(text),
                           '\n'),
                1);
    };
    for (const auto& positional : command.syntax.positionals)
      explained(std::string(positional.name), positional.description);
    for (const auto& option : command.syntax.options)
      explained(cli::option_text(option), option.description);
  }
}

TEST(CliCommands, CommandHelpKeepsItsLayout) {
  test::TempDir dir;
  EXPECT_EQ(
      run_cli(dir.path(), {"descriptor", "--help"}).out,
      "usage: loomwork-cli descriptor CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back] [-o FILE]\n"
      "\n"
      "write the update descriptor for the configuration\n"
      "\n"
      "arguments:\n"
      "  CONF_DIR                  the configuration's folder\n"
      "\n"
      "options:\n"
      "  --ip A.B.C.D              the device's address\n"
      "  --option 0|1|2            0 firmware and configuration, 1 firmware alone, 2 configuration alone "
      "(default: 0)\n"
      "  --no-read-back            the updater does not read back what it wrote\n"
      "  -o FILE                   write it there (default: Ethernet_Update.xml beside the program)\n");
  EXPECT_EQ(
      run_cli(dir.path(), {"check", "--site", "--help"}).out,
      "usage: loomwork-cli check --site [PROJECTS_DIR]\n"
      "\n"
      "check every configuration in PROJECTS_DIR (default: PROJECTS beside the program), then their "
      "addressing\n"
      "\n"
      "arguments:\n"
      "  PROJECTS_DIR              a folder of configurations (default: PROJECTS beside the program)\n");
  EXPECT_EQ(run_cli(dir.path(), {"check-update", "--help"}).out,
            "usage: loomwork-cli check-update [--server URL]\n"
            "\n"
            "ask the vendor's server (or URL) for a newer version: newer or none\n"
            "\n"
            "options:\n"
            "  --server URL              ask this server (default: the vendor's)\n");
}

// The help is all a command does when asked for it; --help as an option's
// value is that value.
TEST(CliCommands, HelpRunsNothing) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.file("PROJECTS/A/bin"));
  const auto before = test::tree(dir.path());
  CliRun r = run_cli(dir.path(), {"compile", dir.file("PROJECTS/A"), "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("usage: loomwork-cli compile CONF_DIR [-o FILE]\n")) << r.out;
  EXPECT_EQ(test::tree(dir.path()), before);
  r = run_cli(dir.path(), {"compile", dir.file("nowhere"), "-o", "--help"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "loomwork-cli compile: " + dir.file("nowhere") + " is not a folder\n");
}

// Every folder a command is given is checked as its kind says before the
// command looks at anything: what is no folder is said so, a folder that is
// no configuration's gets the reason the one rule gives, a folder of
// configurations left out is the PROJECTS beside the program. Nothing is
// written and the status is 2.
TEST(CliCommands, EveryFolderIsCheckedAsItsKindSays) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.file("LANGUAGE"));
  const auto before = test::tree(dir.path());
  std::size_t checked = 0;
  for (const auto& command : cli::commands()) {
    const auto& positionals = command.syntax.positionals;
    for (std::size_t at = 0; at < positionals.size(); ++at) {
      const auto kind = positionals[at].kind;
      if (kind != cli::Positional::Configuration && kind != cli::Positional::Projects) continue;
      std::vector<std::pair<std::string, std::string>> cases = {
          {dir.file("nowhere"), dir.file("nowhere") + " is not a folder"}};
      if (kind == cli::Positional::Configuration)
        cases.emplace_back(dir.file("LANGUAGE"),
                           dir.file("LANGUAGE") + ": " + *not_configuration_reason(dir.file("LANGUAGE")));
      if (positionals[at].optional) cases.emplace_back("", dir.file("PROJECTS") + " is not a folder");
      for (const auto& [given, said] : cases) {
        cli::Args args = command_words(command);
        for (std::size_t i = 0; i < positionals.size(); ++i)
          if (i != at || !given.empty()) args.push_back(i == at ? given : dir.file("other"));
        for (const auto& option : command.syntax.options)
          if (option.required) args.insert(args.end(), {std::string(option.name), dir.file("out")});
        CliRun r = run_cli(dir.path(), args);
        EXPECT_EQ(r.status, 2) << command.name << " " << given;
        EXPECT_EQ(r.err, "loomwork-cli " + std::string(command.name) + ": " + said + "\n");
        EXPECT_EQ(r.out, "") << command.name;
        ++checked;
      }
    }
  }
  EXPECT_GE(checked, 20u); // two for each configuration folder a command takes, and more
  EXPECT_EQ(test::tree(dir.path()), before);
}

// A configuration given where a folder of configurations is meant, as an
// argument or as an option's value, would have configurations listed, made
// or replaced inside it.
TEST(CliCommands, AConfigurationIsNoFolderOfConfigurations) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.file("conf/bin"));
  test::write_file(dir.file("conf/ParGen.xml"), "<Par_Gen/>");
  test::write_file(dir.file("image.bin"), std::string(2560, '\0'));
  const auto before = test::tree(dir.path());
  const std::string said = dir.file("conf") + " is a configuration, not a folder of configurations\n";
  std::size_t checked = 0;
  for (const auto& command : cli::commands()) {
    const auto& syntax = command.syntax;
    auto filled = [&](std::size_t projects_at) {
      cli::Args args = command_words(command);
      for (std::size_t i = 0; i < syntax.positionals.size(); ++i) {
        if (syntax.positionals[i].optional && i != projects_at) break;
        args.push_back(i == projects_at ? dir.file("conf") : dir.file("image.bin"));
      }
      for (const auto& option : syntax.options)
        if (option.required) args.insert(args.end(), {std::string(option.name), dir.file("out")});
      return args;
    };
    auto expect_refused = [&](const cli::Args& args) {
      CliRun r = run_cli(dir.path(), args);
      EXPECT_EQ(r.status, 2) << command.name;
      EXPECT_EQ(r.err, "loomwork-cli " + std::string(command.name) + ": " + said);
      ++checked;
    };
    for (std::size_t at = 0; at < syntax.positionals.size(); ++at)
      if (syntax.positionals[at].kind == cli::Positional::Projects) expect_refused(filled(at));
    for (const auto& option : syntax.options)
      if (option.kind == cli::Positional::Projects) {
        cli::Args args = filled(syntax.positionals.size());
        args.insert(args.end(), {std::string(option.name), dir.file("conf")});
        expect_refused(args);
      }
  }
  EXPECT_GE(checked, 3u); // the site commands and import-image's --projects at least
  EXPECT_EQ(test::tree(dir.path()), before);
}

} // namespace
} // namespace lw
