#pragma once
#include <string>

namespace lw {

// The configuration the windows work on. Its name may be kept while its
// folder is not: a configuration is open exactly when Conf_Dir is not empty.
struct OpenConfiguration {
  std::string Conf_Name;
  std::string Conf_Dir;
  std::string File_ParGen;
  std::string File_DMX_Default;
  // The two access files a configuration may hold: copied and guarded as
  // its own files, read by no window.
  std::string File_ModbusTCPM_SetAccess;
  std::string File_ModbusM_SetAccess;

  bool configuration_open() const { return !Conf_Dir.empty(); }
};

// The configuration `name` in `dir` (empty: none is open), with the paths of
// its files derived from the folder.
OpenConfiguration configuration_at(std::string name, std::string dir);

} // namespace lw
