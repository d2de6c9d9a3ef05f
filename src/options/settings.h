#pragma once
#include "core/identity.h"

#include <string>

namespace lw {

// What the settings file keeps between runs; a fresh value holds what a
// missing file gives.
struct Settings {
  // The configuration open when the settings were written, which the next
  // start opens again.
  std::string Last_Conf_Name;
  std::string Last_IP_Address = std::string(kDefaultIpAddress);
  std::string Language_Name = std::string(kDefaultLanguage);
  bool Enable_Internet = false;
  bool Enable_Update = false;
  bool Enable_Jump_Fields = false;
  bool Auto_Size_Columns = false;
};

} // namespace lw
