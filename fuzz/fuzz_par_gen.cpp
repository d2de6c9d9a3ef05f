#include "formats/errors.h"
#include "fuzz_file.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = fuzz_file("ParGen.xml", data, size);
  try {
    lw::Par_Gen_Set set = lw::Load_Par_Gen(path);
    lw::Controllo_Dati(set);
    lw::dmx_channel_count(path);
    // Saved and read back, a set is unchanged.
    std::string xml = lw::par_gen_xml(set);
    std::string again =
        fuzz_file("ParGen.xml", reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
    if (!(lw::Load_Par_Gen(again) == set)) std::abort();
  } catch (const lw::FileError&) {
  }
  return 0;
}
