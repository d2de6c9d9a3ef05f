#include "cli_run.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "program_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::run_cli;

class CliDiff : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("A");
    Save_Par_Gen(conf + "/ParGen.xml", Par_Gen_Set());
    ASSERT_EQ(run_cli(dir.path(), {"compile", conf, "-o", image}).status, 0);
  }
  std::string conf = dir.file("PROJECTS/A");
  std::string image = dir.file("sent.bin");
};

TEST_F(CliDiff, AFolderAgainstTheImageItCompiledToIsEqual) {
  auto r = run_cli(dir.path(), {"diff", conf, image});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "No change\n");
  r = run_cli(dir.path(), {"diff", image, image, "--json"});
  EXPECT_EQ(r.out, "{\"equal\":true,\"fields\":[],\"channels_changed\":0,\"channels\":[]}\n");
}

TEST_F(CliDiff, ChangesAreNamedWithTheFoldersMnemonics) {
  Par_Gen_Set set;
  set.Ethernet_IP4 = "77";
  Save_Par_Gen(conf + "/ParGen.xml", set);
  DMX_Def_Table table(512);
  table[4] = {"128", "Shutter"};
  Save_DMX_Defaults(conf + "/DMX_Default_Values.xml", table);
  auto r = run_cli(dir.path(), {"diff", image, conf});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(r.out.starts_with("IP Address: 192.168.0.5 -> 192.168.0.77\nChecksum: ")) << r.out;
  EXPECT_NE(r.out.find("DMX channels changed: 1\n  Channel 5 (Shutter): 0 -> 128\n"), std::string::npos)
      << r.out;
  // The other way round, the folder is the older side and still names its channels.
  r = run_cli(dir.path(), {"diff", conf, image, "--json"});
  EXPECT_EQ(r.status, 1);
  const auto json = nlohmann::json::parse(r.out);
  EXPECT_EQ(json["equal"], false);
  ASSERT_EQ(json["fields"].size(), 2u) << r.out;
  EXPECT_EQ(json["fields"][0],
            (nlohmann::json{{"name", "IP Address"}, {"old", "192.168.0.77"}, {"new", "192.168.0.5"}}));
  EXPECT_EQ(json["fields"][1]["name"], "Checksum");
  EXPECT_NE(json["fields"][1]["old"], json["fields"][1]["new"]);
  EXPECT_EQ(json["channels_changed"], 1);
  EXPECT_EQ(json["channels"],
            nlohmann::json::array({{{"channel", 5}, {"mnemonic", "Shutter"}, {"old", 128}, {"new", 0}}}));
}

TEST_F(CliDiff, WhatCantBeReadIsStatusTwo) {
  test::write_file(dir.file("short.bin"), std::string(2559, '\0'));
  test::write_file(conf + "/ParGen.xml", "<Par_Gen><oops>");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {dir.file("missing.bin"), "missing.bin"},
      {dir.file("short.bin"), "2559 bytes"},
      {conf, "ParGen.xml"},
  };
  for (const auto& [side, said] : cases) {
    for (const cli::Args& args : {cli::Args{"diff", side, image}, cli::Args{"diff", image, side}}) {
      auto r = run_cli(dir.path(), args);
      EXPECT_EQ(r.status, 2) << side;
      EXPECT_EQ(r.out, "");
      EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
    }
  }
}

} // namespace
} // namespace lw
