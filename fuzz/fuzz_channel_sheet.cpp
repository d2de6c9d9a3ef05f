#include "formats/errors.h"
#include "params/dmx_csv.h"

#include <cstdlib>

// Any bytes laid over a table as a channel sheet: refused whole or taken
// whole, and what is taken is written as a sheet that reads back to itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const lw::DMX_Def_Table before(24);
  try {
    lw::DMX_Def_Table after =
        lw::import_dmx_csv({reinterpret_cast<const char*>(data), size}, before, "sheet.csv");
    if (after.size() != before.size()) std::abort();
    if (lw::Controllo_dati(after)) std::abort();
    if (lw::import_dmx_csv(lw::dmx_csv(after, true), before, "again.csv") != after) std::abort();
  } catch (const lw::FileError&) {
  }
  return 0;
}
