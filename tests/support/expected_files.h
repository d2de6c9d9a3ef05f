#pragma once

namespace lw::test {

// Loomwork.xml as a first start in an empty folder leaves it.
inline constexpr const char* kDefaultSettingsFile =
    "<Conf_Settings>\n"
    "  <lastproj>\n"
    "    <projectname />\n"
    "  </lastproj>\n"
    "  <lastipadd>\n"
    "    <ipaddress>192.168.2.205</ipaddress>\n"
    "  </lastipadd>\n"
    "  <lastlang>\n"
    "    <language>English</language>\n"
    "  </lastlang>\n"
    "  <lastinternet>\n"
    "    <enable_internet>0</enable_internet>\n"
    "    <enable_update>0</enable_update>\n"
    "    <enable_jump_field_tables>0</enable_jump_field_tables>\n"
    "    <Double_Click_Auto_Size>0</Double_Click_Auto_Size>\n"
    "  </lastinternet>\n"
    "</Conf_Settings>\n";

} // namespace lw::test
