#include "core/limits.h"
#include "formats/errors.h"
#include "image/descriptor.h"
#include "platform/files.h"
#include "platform/xml.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

using image::DescriptorInputs;

DescriptorInputs inputs(int option, bool read_back) {
  DescriptorInputs in;
  in.ip = {"192", "168", "2", "205"};
  in.option = option;
  in.read_back = read_back;
  in.Master_Dir = "/opt/lw/MASTER";
  in.Conf_Dir = "/opt/lw/PROJECTS/Line & 3";
  in.App_Dir = "/opt/lw";
  return in;
}

std::string operation(const std::string& file, const char* start, const char* bank, const char* write_css,
                      const char* address_css, const char* read_back, const char* go_to_app) {
  return std::string("    <Operation>\n"
                     "      <Ope_Protection_Enabled />\n"
                     "      <Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>\n"
                     "      <Ope_GoToApp_Before>0</Ope_GoToApp_Before>\n"
                     "      <Ope_IP_Address />\n"
                     "      <Ope_Port>2008</Ope_Port>\n"
                     "      <Ope_Port_Sec>2007</Ope_Port_Sec>\n"
                     "      <Ope_Erase_Memory>0</Ope_Erase_Memory>\n"
                     "      <Ope_FileName>") +
         file + "</Ope_FileName>\n      <Ope_Start_Address>" + start +
         "</Ope_Start_Address>\n"
         "      <Ope_Memory_Type>0</Ope_Memory_Type>\n      <Ope_Bank_Type>" +
         bank + "</Ope_Bank_Type>\n      <Ope_Read_Back>" + read_back +
         "</Ope_Read_Back>\n      <Ope_Write_CSS>" + write_css + "</Ope_Write_CSS>\n      <Ope_Address_CSS>" +
         address_css +
         "</Ope_Address_CSS>\n"
         "      <Ope_Command_CSS>0x0B</Ope_Command_CSS>\n      <Ope_GoToApp_After>" +
         go_to_app + "</Ope_GoToApp_After>\n    </Operation>\n";
}

std::string document(const std::string& operations) {
  return "<Ethernet_Update>\n"
         "  <Version>1000</Version>\n"
         "  <Title>QuorvexSite - SW40873 Ethernet Update</Title>\n"
         "  <IP_Address_Dev>192.168.2.205</IP_Address_Dev>\n"
         "  <Application_Port>10000</Application_Port>\n"
         "  <Boot_Port>2008</Boot_Port>\n"
         "  <Boot_Port_Sec>2007</Boot_Port_Sec>\n"
         "  <Address_Protection>0x78000</Address_Protection>\n"
         "  <Protections>\n"
         "    <Protection>0x2FF</Protection>\n"
         "  </Protections>\n"
         "  <Operations>\n" +
         operations +
         "  </Operations>\n"
         "</Ethernet_Update>\n";
}

// Joined as the program joins its own paths, with the system's separator.
const std::string kFirmware = fs::join("/opt/lw/MASTER", "Sim40873.sim");
const std::string kBank = fs::join(fs::join("/opt/lw/PROJECTS/Line &amp; 3", "bin"), "bank.bin");

TEST(Descriptor, FirmwareAndConfiguration) {
  EXPECT_EQ(image::descriptor_xml(inputs(0, true)),
            document(operation(kFirmware, "0x8000", "1", "1", "0x78100", "1", "0") +
                     operation(kBank, "0x68000", "2", "0", "0x50100", "1", "1")));
}

TEST(Descriptor, FirmwareOnlyEndsWithItsOwnGoToApp) {
  EXPECT_EQ(image::descriptor_xml(inputs(1, true)),
            document(operation(kFirmware, "0x8000", "1", "1", "0x78100", "1", "1")));
}

TEST(Descriptor, ConfigurationOnlyWithoutReadBack) {
  EXPECT_EQ(image::descriptor_xml(inputs(2, false)),
            document(operation(kBank, "0x68000", "2", "0", "0x50100", "0", "1")));
}

TEST(Descriptor, AddressTextsAreJoinedVerbatim) {
  auto in = inputs(0, true);
  in.ip = {" 10", "0 ", "a", "7.9"};
  auto doc = xml::parse_bytes(image::descriptor_xml(in), "descriptor", kMaxDescriptorBytes);
  EXPECT_STREQ(doc.child("Ethernet_Update").child("IP_Address_Dev").text().get(), " 10.0 .a.7.9");
}

TEST(Descriptor, WrittenBesideTheExecutableAndFailureReported) {
  test::TempDir dir;
  auto in = inputs(0, true);
  in.App_Dir = dir.path();
  image::Compile_XML_Parameter(in);
  EXPECT_EQ(test::read_file(dir.file("Ethernet_Update.xml")), image::descriptor_xml(in));
  in.App_Dir = dir.file("missing");
  EXPECT_THROW(image::Compile_XML_Parameter(in), FileError);
}

} // namespace
} // namespace lw
