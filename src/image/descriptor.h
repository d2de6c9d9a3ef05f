#pragma once
#include <array>
#include <string>

namespace lw::image {

// What the update does: both, firmware only, configuration only.
enum UpdateOption { kFirmwareAndConfiguration = 0, kFirmwareOnly = 1, kConfigurationOnly = 2 };

struct DescriptorInputs {
  std::array<std::string, 4> ip; // the four address field texts, verbatim
  int option = kFirmwareAndConfiguration;
  bool read_back = true;
  std::string Master_Dir;
  std::string Conf_Dir;
  std::string App_Dir;
};

// The update descriptor's document.
std::string descriptor_xml(const DescriptorInputs& in);
std::string descriptor_path(const std::string& app_dir);

// Writes App_Dir/Ethernet_Update.xml atomically; throws FileError with the
// writer's text.
void Compile_XML_Parameter(const DescriptorInputs& in);

} // namespace lw::image
