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
