#include "fuzz_file.h"
#include "options/settings_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const lw::Settings read = lw::read_settings_file(fuzz_file("Loomwork.xml", data, size)).settings;
  // What was read is written so that it reads the same again.
  std::string xml = lw::settings_xml(read);
  const lw::Settings back =
      lw::read_settings_file(
          fuzz_file("Loomwork.xml", reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size()))
          .settings;
  if (back.Last_Conf_Name != read.Last_Conf_Name || back.Last_IP_Address != read.Last_IP_Address ||
      back.Language_Name != read.Language_Name || back.Enable_Update != read.Enable_Update)
    std::abort();
  return 0;
}
