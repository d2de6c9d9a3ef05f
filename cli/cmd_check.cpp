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
int cmd_check(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  if (!is_folder(dir, args, io)) return kExitUsage;
  TextTable texts;
  texts.Fill_English_Texts();
  try {
    std::string par_gen = fs::join(dir, kParGenFile);
    if (auto failure = Controllo_Dati(Load_Par_Gen(par_gen))) {
      io.out << failure_text(*failure, texts) << "\n";
      return kExitTestFailed;
    }
    auto rows = Load_DMX_Defaults(fs::join(dir, kDmxDefaultFile), dmx_channel_count(par_gen));
    if (auto channel = Controllo_dati(rows)) {
      io.out << dmx_row_error(texts.Get(text_id::kMsgDmxErrorRow), *channel,
                              texts.Get(text_id::kMsgDmxValueRange))
             << "\n";
      return kExitTestFailed;
    }
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
  io.out << "OK\n";
  return kExitOk;
}

} // namespace lw::cli
