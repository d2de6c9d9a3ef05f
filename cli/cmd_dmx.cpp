#include "cli.h"
#include "core/identity.h"
#include "core/limits.h"
#include "params/dmx_csv.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"

#include <ostream>

namespace lw::cli {

int cmd_dmx_export(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string output = args.value("-o");
  std::string par_gen = fs::join(dir, kParGenFile);
  auto rows = Load_DMX_Defaults(fs::join(dir, kDmxDefaultFile), dmx_channel_count(par_gen));
  print_or_save(dmx_csv(rows, Load_Par_Gen(par_gen).MODBUS_SLAVE_DMX_MAP), output, io);
  return kExitOk;
}

int cmd_dmx_import(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  const std::string& sheet_path = args.positionals[1];
  std::string path = fs::join(dir, kDmxDefaultFile);
  DMX_Def_Table before = Load_DMX_Defaults(path, dmx_channel_count(fs::join(dir, kParGenFile)));
  DMX_Def_Table after = import_dmx_csv(fs::read_bytes(sheet_path, kMaxCsvBytes), before, sheet_path);
  int changed = changed_channels(before, after);
  // A sheet that changes nothing leaves the file as it was, byte for byte.
  if (changed > 0) written([&] { Save_DMX_Defaults(path, after); });
  io.out << changed << (changed == 1 ? " channel" : " channels") << " changed\n";
  return kExitOk;
}

} // namespace lw::cli
