#pragma once

namespace lw {

// Catalogue indices that the logic composes or shows itself. A window's own
// captions and hints stay in that window's text table, beside the control
// they name.
namespace text_id {
// No text: a control without a caption or without a hint.
inline constexpr int kNone = -1;
// Main window
inline constexpr int kNoConfigurationOpen = 9;
inline constexpr int kNoConfigurationHint = 10;
inline constexpr int kConfigurationOpened = 11;
inline constexpr int kMsgProjectNotValid = 18;
inline constexpr int kNewVersionLink = 19;
// New configuration
inline constexpr int kMsgNameNotValid = 105;
inline constexpr int kMsgNameFolderExists = 106;
inline constexpr int kMsgNameEmpty = 107;
// Configurations from a sheet
inline constexpr int kSheetStatusNew = 239;
inline constexpr int kSheetStatusReplaces = 240;
inline constexpr int kSheetStatusProblem = 241;
inline constexpr int kSheetPickTitle = 247;
inline constexpr int kSheetNoPlan = 248;
inline constexpr int kSheetReady = 249;
inline constexpr int kSheetRefused = 250;
inline constexpr int kSheetMade = 251;
inline constexpr int kSheetStopped = 252;
inline constexpr int kSheetNoNotes = 253;
inline constexpr int kSheetClose = 254;
inline constexpr int kSheetStoppedByUser = 258;
// Software options
inline constexpr int kSelectedLanguage = 304;
inline constexpr int kPageCounterPrefix = 305;
inline constexpr int kPageCounterSeparator = 306;
inline constexpr int kNewVersionAvailable = 314;
inline constexpr int kNoUpdateAvailable = 315;
inline constexpr int kAskChangeLanguageFrom = 316;
inline constexpr int kAskChangeLanguageTo = 317;
inline constexpr int kAskChangeLanguageEnd = 318;
// DMX default values
inline constexpr int kMsgDmxErrorRow = 507;
inline constexpr int kMsgDmxValueRange = 508;
inline constexpr int kDmxImportCsv = 513;
inline constexpr int kDmxExportCsv = 514;
inline constexpr int kDmxCsvFilter = 530;
inline constexpr int kDmxAllFilesFilter = 531;
inline constexpr int kDmxImportSummary = 532;
inline constexpr int kDmxDiscardChanges = 534;
inline constexpr int kDmxFillPrompt = 526;
inline constexpr int kMsgDmxNotALevel = 527;
inline constexpr int kMsgDmxRampTooShort = 528;
inline constexpr int kMsgDmxRampEnd = 529;
inline constexpr int kMsgDmxMnemonicTooLong = 535;   // %1 the channel, %2 the most characters
inline constexpr int kMsgDmxMnemonicCharacter = 536; // %1 the channel, %2 the character
// Update Device
inline constexpr int kMsgDeviceNotFound = 836;
inline constexpr int kMsgCheckIpAddress = 837;
// Set Communication: the three group captions
inline constexpr int kGroupDmx = 1006;
inline constexpr int kGroupModbusSlave = 1079;
inline constexpr int kGroupEthernet = 1094;
// Set Communication: the addressing notes under the Ethernet group
inline constexpr int kNotesHeading = 1171;
inline constexpr int kNoteSharedAddress = 1172;
inline constexpr int kNoteNetworkAddress = 1173;
inline constexpr int kNoteBroadcastAddress = 1174;
inline constexpr int kNoteGatewayOutsideSubnet = 1175;
inline constexpr int kNoteMaskNotContiguous = 1176;
// Update Device: the change preview and the record of what was sent
inline constexpr int kPreviewHeading = 1200;
inline constexpr int kPreviewFirstUpdate = 1201;
inline constexpr int kPreviewNoChange = 1202;
inline constexpr int kPreviewChannelsChanged = 1203;
inline constexpr int kPreviewChannel = 1204;
inline constexpr int kPreviewMoreChannels = 1205;
inline constexpr int kFlagOn = 1206;
inline constexpr int kFlagOff = 1207;
inline constexpr int kPreviewChecksum = 1208;
inline constexpr int kPreviewNotCompared = 1209;
inline constexpr int kMsgUpdateLogNotWritten = 1210;
inline constexpr int kMsgSentImageNotKept = 1211;
inline constexpr int kPreviewLastAttemptFailed = 1280;
inline constexpr int kPreviewNothingSentYet = 1281;
// Update Device: the configuration's own address beside the address fields
inline constexpr int kOwnAddress = 1282;
inline constexpr int kDeviceMovesToOwnAddress = 1283;

// Column and field labels the commissioning sheet borrows from the windows.
inline constexpr int kDmxValueColumn = 505;
inline constexpr int kDmxMnemonicColumn = 506;
inline constexpr int kUpdateReadBackLabel = 818;

// The commissioning sheet.
inline constexpr int kSheetTitle = 1212;
inline constexpr int kSheetPageNumber = 1213;
inline constexpr int kSheetConfiguration = 1214;
inline constexpr int kSheetName = 1215;
inline constexpr int kSheetProduced = 1216;
inline constexpr int kSheetProgram = 1217;
inline constexpr int kSheetParameters = 1218;
inline constexpr int kSheetChannels = 1219;
inline constexpr int kSheetRegister = 1220;
inline constexpr int kSheetImage = 1221;
inline constexpr int kSheetHash = 1222;
inline constexpr int kSheetUpdates = 1223;
inline constexpr int kSheetNoUpdates = 1224;
inline constexpr int kSheetButton = 1225;
inline constexpr int kSheetButtonHint = 1226;
inline constexpr int kSheetFilter = 1227;
inline constexpr int kSheetTime = 1228;
inline constexpr int kSheetOption = 1229;
inline constexpr int kSheetOutcome = 1260;
inline constexpr int kSheetLogUnreadable = 1261;
inline constexpr int kSheetWritten = 1262;
inline constexpr int kSheetWrongSuffix = 1263;
inline constexpr int kSheetBeyondCount = 1264;
inline constexpr int kSheetUpdateRefuses = 1265;
inline constexpr int kSheetNotOpened = 1266;
inline constexpr int kMsgImageEditorsRefuse = 1267;
// Where a unit of the site stands, one word each, for every view of the site.
inline constexpr int kUnitRefused = 1300;
inline constexpr int kUnitNeverSent = 1301;
inline constexpr int kUnitUpToDate = 1302;
inline constexpr int kUnitChanged = 1303;
inline constexpr int kUnitNotConfiguration = 1304;
inline constexpr int kUnitRecordUnreadable = 1305;
// The site report: every unit of a site on one sheet.
inline constexpr int kSiteReportTitle = 1310;
inline constexpr int kSiteReportSite = 1311;
inline constexpr int kSiteReportFolder = 1312;
inline constexpr int kSiteReportUnits = 1313;
inline constexpr int kSiteReportAddressNow = 1314;
inline constexpr int kSiteReportConfiguredAddress = 1315;
inline constexpr int kSiteReportHashStart = 1316;
inline constexpr int kSiteReportState = 1317;
inline constexpr int kSiteReportLastAttempt = 1318;
inline constexpr int kSiteReportChanges = 1319;
inline constexpr int kSiteReportNotes = 1320;
inline constexpr int kSiteReportNoUnits = 1321;
inline constexpr int kSiteReportNoAttempt = 1322;
inline constexpr int kSiteReportRemarks = 1323;
// New configuration: made from a parameter image
inline constexpr int kBtnFromImage = 1250;
inline constexpr int kHintFromImage = 1251;
inline constexpr int kFromImagePickTitle = 1252;
inline constexpr int kImageFilter = 1253;
inline constexpr int kMsgImageSize = 1254;
inline constexpr int kMsgImageChecksum = 1255;
inline constexpr int kMsgImageNotExpressible = 1256;
inline constexpr int kMsgMnemonicsNotRecovered = 1257;
inline constexpr int kMsgImageUnreadable = 1258;
// Open Configuration: a configuration to one zip and back
inline constexpr int kArchiveExportTitle = 1234;
inline constexpr int kArchiveImportTitle = 1235;
inline constexpr int kArchiveFilter = 1236;
inline constexpr int kArchiveNameHeading = 1237;
inline constexpr int kArchiveNameSource = 1238;
inline constexpr int kMsgArchiveNotExported = 1239;
inline constexpr int kMsgArchiveNotImported = 1240;
} // namespace text_id

} // namespace lw
