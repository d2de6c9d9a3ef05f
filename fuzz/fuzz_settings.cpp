#include "core/app_state.h"
#include "fuzz_file.h"
#include "options/settings_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lw::AppState state;
  lw::read_settings_file(fuzz_file("Loomwork.xml", data, size), state);
  // What was read is written so that it reads the same again.
  std::string xml = lw::settings_xml(state);
  lw::AppState back;
  lw::read_settings_file(
      fuzz_file("Loomwork.xml", reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size()), back);
  if (back.Conf_Name != state.Conf_Name || back.Last_IP_Address != state.Last_IP_Address ||
      back.Language_Name != state.Language_Name || back.Enable_Update != state.Enable_Update)
    std::abort();
  return 0;
}
