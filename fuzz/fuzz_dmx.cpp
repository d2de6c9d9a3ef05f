#include "formats/errors.h"
#include "fuzz_file.h"
#include "params/dmx_defaults.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = fuzz_file("DMX_Default_Values.xml", data, size);
  try {
    auto rows = lw::Load_DMX_Defaults(path, 600);
    if (rows.size() != 600) std::abort();
    lw::Controllo_dati(rows);
    std::string xml = lw::dmx_defaults_xml(rows);
    std::string again =
        fuzz_file("DMX_Default_Values.xml", reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
    if (lw::Load_DMX_Defaults(again, 600) != rows) std::abort();
  } catch (const lw::FileError&) {
  }
  return 0;
}
