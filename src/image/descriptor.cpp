#include "image/descriptor.h"

#include "core/identity.h"
#include "core/limits.h"
#include "image/compiler.h"
#include "platform/files.h"
#include "platform/xml.h"

namespace lw::image {

namespace {
struct Operation {
  std::string file;
  const char* start_address;
  const char* bank_type;
  const char* write_css;
  const char* address_css;
};

void append_operation(pugi::xml_node operations, const Operation& op, bool read_back, bool last) {
  pugi::xml_node o = operations.append_child("Operation");
  auto add = [&](const char* name, std::string_view text) { xml::append_text_element(o, name, text); };
  add("Ope_Protection_Enabled", "");
  add("Ope_GoToBoot_Before", "0");
  add("Ope_GoToApp_Before", "0");
  add("Ope_IP_Address", "");
  add("Ope_Port", "2008");
  add("Ope_Port_Sec", "2007");
  add("Ope_Erase_Memory", "0");
  add("Ope_FileName", op.file);
  add("Ope_Start_Address", op.start_address);
  add("Ope_Memory_Type", "0");
  add("Ope_Bank_Type", op.bank_type);
  add("Ope_Read_Back", read_back ? "1" : "0");
  add("Ope_Write_CSS", op.write_css);
  add("Ope_Address_CSS", op.address_css);
  add("Ope_Command_CSS", "0x0B");
  add("Ope_GoToApp_After", last ? "1" : "0");
}
} // namespace

std::string descriptor_path(const std::string& app_dir) { return fs::join(app_dir, kDescriptorFile); }

std::string descriptor_xml(const DescriptorInputs& in) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Ethernet_Update");
  auto add = [&](const char* name, std::string_view text) { xml::append_text_element(root, name, text); };
  add("Version", "1000");
  add("Title", "QuorvexSite - SW40873 Ethernet Update");
  add("IP_Address_Dev", in.ip[0] + "." + in.ip[1] + "." + in.ip[2] + "." + in.ip[3]);
  add("Application_Port", "10000");
  add("Boot_Port", "2008");
  add("Boot_Port_Sec", "2007");
  add("Address_Protection", "0x78000");
  xml::append_text_element(root.append_child("Protections"), "Protection", "0x2FF");
  pugi::xml_node operations = root.append_child("Operations");

  const Operation firmware{fs::join(in.Master_Dir, kFirmwareFile), "0x8000", "1", "1", "0x78100"};
  const Operation configuration{bank_file_path(in.Conf_Dir), "0x68000", "2", "0", "0x50100"};
  bool with_firmware = in.option != kConfigurationOnly;
  bool with_configuration = in.option != kFirmwareOnly;
  if (with_firmware) append_operation(operations, firmware, in.read_back, !with_configuration);
  if (with_configuration) append_operation(operations, configuration, in.read_back, true);
  return xml::to_bytes(doc, kMaxDescriptorBytes, std::string(kDescriptorFile));
}

void Compile_XML_Parameter(const DescriptorInputs& in) {
  fs::atomic_save(descriptor_path(in.App_Dir), descriptor_xml(in));
}

} // namespace lw::image
