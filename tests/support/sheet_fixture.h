#pragma once
// A configuration of 24 channels to write commissioning sheets of, shared
// by the tests of the sheet, its button and the companion's report.
#include "fakes.h"
#include "formats/document.h"
#include "platform/files.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "program_folder.h"
#include "report/commissioning_sheet.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lw::test {

inline const std::string kLogHeader =
    "time,address,option,read_back,checksum,sha256,outcome,exit_status,detail\r\n";

inline std::string log_line(int n, const std::string& outcome, const std::string& status = "") {
  return "2026-03-0" + std::to_string(n % 10) + "T10:00:00+01:00,192.168.0.5,all,yes,0x00001234,ab," +
         outcome + "," + status + ",\r\n";
}

// Every cell of a section's table, row by row.
inline std::vector<std::vector<std::string>> rows_of(const doc::Document& d, const std::string& heading) {
  for (const doc::Section& s : d.sections)
    if (s.heading == heading) return s.table.rows;
  ADD_FAILURE() << "no section " << heading;
  return {};
}

inline const doc::Section* section(const doc::Document& d, const std::string& heading) {
  for (const doc::Section& s : d.sections)
    if (s.heading == heading) return &s;
  return nullptr;
}

class Sheet : public testing::Test, public ProgramFolder {
protected:
  void SetUp() override {
    open_configuration("Hall & 'B'");
    Par_Gen_Set set;
    set.DMX_Num_Channels = "24";
    set.MODBUS_SLAVE_DMX_MAP = true;
    set.Ethernet_IP4 = "77";
    Save_Par_Gen(conf.File_ParGen, set);
    DMX_Def_Table table(24);
    table[0] = {"255", "Dimmer <main>"};
    table[23] = {"7", "Last"};
    Save_DMX_Defaults(conf.File_DMX_Default, table);
  }
  doc::Document sheet() {
    return commissioning_sheet({conf.Conf_Name, conf.Conf_Dir, wall.now, "en"}, catalogue.Text_Table);
  }
  void write_log(int lines) {
    std::string text = kLogHeader;
    for (int i = 1; i <= lines; ++i)
      text += log_line(i, i % 2 ? "updater_ended" : "device_not_found", i % 2 ? "0" : "");
    write_file(conf.Conf_Dir + "/update-log.csv", text);
  }
  FakeWallClock wall;
};

} // namespace lw::test
