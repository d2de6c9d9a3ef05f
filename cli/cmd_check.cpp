#include "cli.h"
#include "core/identity.h"
#include "core/text_ids.h"
#include "core/text_table.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <ostream>

namespace lw::cli {

// The two editors' tests on the stored files, as opening each editor and
// pressing OK would run them.
int cmd_check(const Args& args, Io& io) {
  if (args.size() != 1 || args[0].starts_with("-")) {
    io.err << "loomwork-cli check: usage: check CONF_DIR\n";
    return kExitUsage;
  }
  const std::string& dir = args[0];
  if (!fs::is_dir(dir)) {
    io.err << "loomwork-cli check: " << dir << " is not a folder\n";
    return kExitUsage;
  }
  TextTable texts;
  texts.Fill_English_Texts();
  try {
    std::string par_gen = fs::join(dir, kParGenFile);
    if (auto message = Controllo_Dati(Load_Par_Gen(par_gen))) {
      io.out << texts.Get(*message) << "\n";
      return kExitFailure;
    }
    auto rows = Load_DMX_Defaults(fs::join(dir, kDmxDefaultFile), dmx_channel_count(par_gen));
    if (auto channel = Controllo_dati(rows)) {
      io.out << dmx_row_error(texts.Get(text_id::kMsgDmxErrorRow), *channel,
                              texts.Get(text_id::kMsgDmxValueRange))
             << "\n";
      return kExitFailure;
    }
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUsage;
  }
  io.out << "OK\n";
  return kExitOk;
}

} // namespace lw::cli
