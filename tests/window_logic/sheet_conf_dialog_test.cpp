#include "fakes.h"
#include "params/par_gen.h"
#include "program_folder.h"
#include "window_logic/sheet_conf_dialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {

void PrintTo(const SheetPlanRow& r, std::ostream* os) {
  *os << r.row << " " << r.name << " " << r.ip << " " << r.mask << " " << r.gateway << " " << r.modbus_id
      << " " << r.channels << " [" << r.status << "]" << (r.problem ? " problem" : "");
}

namespace {

namespace stdfs = std::filesystem;

const std::string kHeader = "Name,IP,Mask,Gateway,ModbusID,Channels\n";

class SheetConf : public testing::Test, public test::ProgramFolder {
protected:
  void SetUp() override {
    for (const char* name : {"Template", "Taken"}) {
      open_configuration(name);
      Save_Par_Gen(conf.File_ParGen, Par_Gen_Set{});
      test::write_file(conf.File_DMX_Default, "<DMX><Row Default_Value=\"9\"/></DMX>");
    }
    open_configuration("Template");
  }
  std::string sheet(const std::string& text, const std::string& name = "site.csv") {
    std::string path = dir.file(name);
    test::write_file(path, text);
    return path;
  }
  const SheetPlanView& plan(const std::string& text, bool replace = false) {
    return logic.rebuild("Template", sheet(text), replace);
  }
  std::string projects(const std::string& name) const { return dir.file("PROJECTS/" + name); }

  test::FakeFilePicker files;
  SheetConfLogic logic{folders, conf, catalogue, messages, files};
};

TEST_F(SheetConf, OffersTheConfigurationsWithTheOpenOneChosen) {
  // A new configuration holds its bin folder alone.
  stdfs::create_directories(projects("Another/bin"));
  EXPECT_EQ(logic.FormShow(), 2);
  EXPECT_EQ(logic.templates(), (std::vector<std::string>{"Another", "Taken", "Template"}));
  conf.Conf_Dir.clear();
  EXPECT_EQ(logic.FormShow(), 0);
  stdfs::remove_all(projects(""));
  stdfs::create_directories(projects(""));
  EXPECT_EQ(logic.FormShow(), -1);
  EXPECT_TRUE(logic.templates().empty());
}

TEST_F(SheetConf, ShowsEveryUnitOfAReadyPlanWithItsAddressesAndNotes) {
  const SheetPlanView& view = plan(kHeader + "A,10.0.0.2,255.255.255.0,10.0.0.1,5,24\n"
                                             "B,10.0.0.2,255.255.0.0,,6,512\n");
  EXPECT_EQ(view.rows, (std::vector<SheetPlanRow>{
                           {2, "A", "10.0.0.2", "255.255.255.0", "10.0.0.1", "5", "24", "new", false},
                           {3, "B", "10.0.0.2", "255.255.0.0", "", "6", "512", "new", false}}));
  EXPECT_TRUE(view.ready);
  EXPECT_EQ(view.summary, "Configurations ready to be made: 2");
  EXPECT_EQ(view.notes, std::vector<std::string>{"A, B: the same IP address 10.0.0.2"});
  EXPECT_FALSE(stdfs::exists(projects("A")));
}

TEST_F(SheetConf, ListsTheRefusedRowsFirstAndRefusesToCreate) {
  const SheetPlanView& view = plan(kHeader + "A,10.0.0.2,255.255.255.0,,5,24\n"
                                             "B,10.0.300.3,255.255.255.0,,5,24\n"
                                             "C,10.0.0.4,255.255.255.0,,0,24\n");
  ASSERT_EQ(view.rows.size(), 3u);
  EXPECT_EQ(view.rows[0],
            (SheetPlanRow{3, "B", "", "", "", "", "",
                          "problem: Error Ethernet!! IP Address 3 must be between 0 and 255", true}));
  EXPECT_EQ(view.rows[1].row, 4);
  EXPECT_EQ(view.rows[1].status, "problem: Error Modbus Slave!! ID Device must be between 1 and 247");
  EXPECT_TRUE(view.rows[1].problem);
  EXPECT_EQ(view.rows[2].name, "A");
  EXPECT_FALSE(view.rows[2].problem);
  EXPECT_FALSE(view.ready);
  EXPECT_EQ(view.summary, "Rows refused: 2. Nothing will be written.");
  EXPECT_FALSE(logic.Btn_CreateClick({}));
  EXPECT_FALSE(stdfs::exists(projects("A")));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SheetConf, AConfigurationThatExistsIsReplacedOnlyWhenAsked) {
  const std::string text = "Name,IP\nTaken,10.0.0.9\nNew,10.0.0.8\n";
  const SheetPlanView& refused = plan(text);
  EXPECT_FALSE(refused.ready);
  EXPECT_EQ(refused.rows[0].status,
            "problem: Error! Name project is not valid because directory already exists");
  const SheetPlanView& replacing = plan(text, true);
  ASSERT_TRUE(replacing.ready);
  EXPECT_EQ(replacing.rows[0].status, "replaces");
  EXPECT_EQ(replacing.rows[1].status, "new");
  ASSERT_TRUE(logic.Btn_CreateClick({}));
  EXPECT_EQ(Load_Par_Gen(projects("Taken/ParGen.xml")).Ethernet_IP4, "9");
}

TEST_F(SheetConf, CreateWritesEachUnitWithProgressAndSaysHowManyOnce) {
  plan("Name,IP\nA,10.0.0.2\nB,10.0.0.3\n");
  std::vector<std::pair<std::size_t, std::size_t>> progress;
  ASSERT_TRUE(logic.Btn_CreateClick([&](std::size_t done, std::size_t total) {
    progress.emplace_back(done, total);
    return true;
  }));
  EXPECT_EQ(progress, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 2}, {2, 2}}));
  for (const char* name : {"A", "B"}) {
    EXPECT_TRUE(stdfs::exists(projects(name) + "/ParGen.xml")) << name;
    EXPECT_TRUE(stdfs::exists(projects(name) + "/bin/bank.bin")) << name;
  }
  EXPECT_EQ(Load_Par_Gen(projects("B/ParGen.xml")).Ethernet_IP4, "3");
  EXPECT_EQ(logic.view().summary, "Configurations made: 2, in " + dir.file("PROJECTS"));
  EXPECT_TRUE(messages.shown.empty());
  // The plan written is not written twice.
  EXPECT_FALSE(logic.view().ready);
  EXPECT_FALSE(logic.Btn_CreateClick({}));
}

TEST_F(SheetConf, TheUserCanStopTheWritingAndIsToldWhatWasMade) {
  plan("Name\nA\nB\nC\n");
  EXPECT_FALSE(logic.Btn_CreateClick([](std::size_t done, std::size_t) { return done < 2; }));
  EXPECT_TRUE(stdfs::exists(projects("B")));
  EXPECT_FALSE(stdfs::exists(projects("C")));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Stopped at the user's request. Made before it stopped (2 of 3): A, B");
  // Planned again over what now stands: A and B are taken.
  EXPECT_FALSE(logic.view().ready);
}

TEST_F(SheetConf, AFailureInTheMiddleSaysWhatStoppedItAndWhatWasMade) {
  plan("Name\nA\nB\nC\n");
  stdfs::create_directories(projects("B")); // made by someone since the plan
  EXPECT_FALSE(logic.Btn_CreateClick({}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  const std::string& text = messages.shown[0].text;
  EXPECT_NE(text.find(test::native("PROJECTS/B: Error! Name project is not valid because directory")),
            std::string::npos)
      << text;
  EXPECT_TRUE(text.ends_with(". Made before it stopped (1 of 3): A")) << text;
  EXPECT_TRUE(stdfs::exists(projects("A/ParGen.xml")));
  EXPECT_FALSE(stdfs::exists(projects("C")));
  // Planned again over what now stands: A and B exist.
  EXPECT_FALSE(logic.view().ready);
  EXPECT_EQ(logic.view().rows.size(), 3u);
  EXPECT_TRUE(logic.view().rows[0].problem);
  EXPECT_TRUE(logic.view().rows[1].problem);
}

TEST_F(SheetConf, WithoutATemplateOrAReadableSheetThereIsNoPlan) {
  struct Case {
    std::string template_name, sheet_path, summary_part;
  };
  const Case cases[] = {
      {"Template", "", "Choose a template configuration and a sheet"},
      {"", sheet("Name\nA\n"), "Choose a template configuration and a sheet"},
      {"Template", dir.file("missing.csv"), dir.file("missing.csv")},
      {"Template", sheet(std::string("\xFF\xFEN\0a\0", 6), "utf16.csv"),
       dir.file("utf16.csv") + ": the sheet is UTF-16 text"},
      {"Nothing here", sheet("Name\nA\n"), projects("Nothing here")},
  };
  for (const Case& c : cases) {
    const SheetPlanView& view = logic.rebuild(c.template_name, c.sheet_path, false);
    EXPECT_NE(view.summary.find(c.summary_part), std::string::npos) << view.summary;
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(view.ready);
    EXPECT_FALSE(logic.Btn_CreateClick({}));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SheetConf, BrowseAsksForACsvSheet) {
  files.answer = "/somewhere/site.csv";
  EXPECT_EQ(logic.Btn_BrowseClick(""), "/somewhere/site.csv");
  EXPECT_EQ(logic.Btn_BrowseClick("/before/old.csv"), "/somewhere/site.csv");
  ASSERT_EQ(files.asked.size(), 2u);
  EXPECT_EQ(files.asked[0].title, "Choose the Site Sheet");
  EXPECT_EQ(files.asked[0].start, folders.Projects_Dir);
  EXPECT_EQ(files.asked[0].filter, "CSV files (*.csv);;All files (*)");
  EXPECT_EQ(files.asked[1].start, "/before/old.csv");
}

} // namespace
} // namespace lw
