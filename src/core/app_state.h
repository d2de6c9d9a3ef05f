#pragma once
#include "core/text_table.h"

#include <string>

namespace lw {

// The process-wide values every window reads and assigns. A configuration is
// open exactly when Conf_Dir is not empty.
struct AppState {
  TextTable Text_Table;
  std::string Conf_Name;
  std::string Conf_Dir;
  std::string Projects_Dir;
  std::string App_Dir;
  std::string Master_Dir;
  std::string Language_Dir;
  std::string Main_Title;
  std::string SW_Code;
  std::string SW_Desc;
  std::string Last_IP_Address;
  int Update_Option_Index = 0;
  bool Update_Read_Back = true;
  std::string Language_Name;
  bool Enable_Internet = false;
  bool Enable_Update = false;
  bool Enable_Jump_Fields = false;
  bool Auto_Size_Columns = false;
  // Set when an unusable settings file could not be moved aside: writing the
  // defaults over it would lose what the user had.
  bool Settings_Save_Blocked = false;
  std::string Language_Version;
  // The language whose texts Text_Table holds. A language chosen in the
  // options dialog is shown at once but becomes Language_Name only on OK.
  std::string Texts_Language;
  std::string File_ParGen;
  std::string File_DMX_Default;
  std::string File_ModbusTCPM_SetAccess;
  std::string File_ModbusM_SetAccess;

  bool configuration_open() const { return !Conf_Dir.empty(); }
  const std::string& text(int index) const { return Text_Table.Get(index); }
};

} // namespace lw
