#pragma once
#include "params/dmx_defaults.h"
#include "params/ip_address.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "temp_dir.h"
#include "update/change_preview.h"
#include "update/update_record.h"

#include <filesystem>
#include <string>

namespace lw::test {

// A communication set at the dotted address, every other field at its
// default.
inline Par_Gen_Set set_at(const std::string& address) {
  Par_Gen_Set set;
  OctetTexts octets = *Split_IP_Address(address);
  set.Ethernet_IP1 = octets[0];
  set.Ethernet_IP2 = octets[1];
  set.Ethernet_IP3 = octets[2];
  set.Ethernet_IP4 = octets[3];
  return set;
}

// The configuration `name` in projects with this set and, for each channel,
// a value, as the editors save them; its folder and bin made first.
inline std::string write_unit(const std::string& projects, const std::string& name, const Par_Gen_Set& set,
                              const DMX_Def_Table& dmx = {}) {
  const std::string conf = fs::join(projects, name);
  std::filesystem::create_directories(fs_path(fs::join(conf, "bin")));
  Save_Par_Gen(fs::join(conf, "ParGen.xml"), set);
  Save_DMX_Defaults(fs::join(conf, "DMX_Default_Values.xml"), dmx);
  return conf;
}

// Records the image its files compile to now as the last one sent with success.
inline void mark_sent(const std::string& conf) {
  const image::Image image = compiled_image(conf);
  write_file(last_sent_path(conf), std::string(image.begin(), image.end()));
}

} // namespace lw::test
