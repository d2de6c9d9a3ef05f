#include "core/open_configuration.h"

#include "core/identity.h"
#include "platform/files.h"

namespace lw {

OpenConfiguration configuration_at(std::string name, std::string dir) {
  OpenConfiguration conf;
  conf.File_ParGen = fs::join(dir, kParGenFile);
  conf.File_DMX_Default = fs::join(dir, kDmxDefaultFile);
  conf.File_ModbusTCPM_SetAccess = fs::join(dir, kModbusTcpmAccessFile);
  conf.File_ModbusM_SetAccess = fs::join(dir, kModbusMAccessFile);
  conf.Conf_Name = std::move(name);
  conf.Conf_Dir = std::move(dir);
  return conf;
}

} // namespace lw
