#pragma once
#include <string_view>

namespace lw {

// Identity of the model; fixed in the program, no file or option changes them.
inline constexpr std::string_view kSW_Code = "SW40873";
inline constexpr std::string_view kSW_Desc = "DMX / Modbus Slave - Converter";
inline constexpr std::string_view SW_Version = "1.001";
inline constexpr std::string_view Manual_Code = "MN40873";
inline constexpr std::string_view kMain_Title = "QuorvexSite - Configurator SW40873 - DMX / Modbus Slave ";

inline constexpr std::string_view kVendorHost = "www.quorvexsite.com";
inline constexpr std::string_view kHomePageUrl = "http://www.quorvexsite.com/HOME/default.asp?frompg=SW40873";

// Folder and file names kept beside the executable and in a configuration.
inline constexpr std::string_view kMasterFolder = "MASTER";
inline constexpr std::string_view kProjectsFolder = "PROJECTS";
inline constexpr std::string_view kLanguageFolder = "LANGUAGE";
inline constexpr std::string_view kSettingsFile = "Loomwork.xml";
inline constexpr std::string_view kBinFolder = "bin";
inline constexpr std::string_view kBankFile = "bank.bin";
inline constexpr std::string_view kSentFolder = "sent"; // in bin: every image the updater was handed
inline constexpr std::string_view kLastSentFile = "last-sent.bin";
inline constexpr std::string_view kUpdateLogFile = "update-log.csv";
inline constexpr std::string_view kParGenFile = "ParGen.xml";
inline constexpr std::string_view kDmxDefaultFile = "DMX_Default_Values.xml";
inline constexpr std::string_view kModbusTcpmAccessFile = "ModbusTCPM_SetAccess.xml";
inline constexpr std::string_view kModbusMAccessFile = "ModbusM_SetAccess.xml";
inline constexpr std::string_view kDescriptorFile = "Ethernet_Update.xml";
inline constexpr std::string_view kUpdaterFile = "Ethernet_Update.exe";
inline constexpr std::string_view kProgramFile = "loomwork";       // ".exe" on Windows
inline constexpr std::string_view kCompanionFile = "loomwork-cli"; // ".exe" on Windows
inline constexpr std::string_view kFirmwareFile = "Sim40873.sim";
inline constexpr std::string_view kProjectFileComment = "SW_VERSION = 1.001";

inline constexpr std::string_view kDefaultIpAddress = "192.168.2.205";
inline constexpr std::string_view kDefaultLanguage = "English";
inline constexpr std::string_view kNoLanguageVersion = "NO VER.";

} // namespace lw
