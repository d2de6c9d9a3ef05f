#pragma once

namespace lw::cli {

// Exit statuses by what they mean; several meanings share a value, as the
// companion's table of commands promises.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;      // update: any failure but the address and the device
inline constexpr int kExitTestFailed = 1;   // check: an editor's test failed
inline constexpr int kExitNotWritten = 1;   // compile, descriptor: the output can't be written
inline constexpr int kExitImageUnsound = 1; // inspect: wrong size or checksum
inline constexpr int kExitImagesEqual = 0;  // diff: byte for byte
inline constexpr int kExitImagesDiffer = 1; // diff
inline constexpr int kExitNotUpToDate = 1;  // site: a unit is not up to date
inline constexpr int kExitPassFailed = 1;   // update --site: a unit tried failed or was not found
inline constexpr int kExitUsage = 2;        // bad arguments
inline constexpr int kExitUnreadable = 2;   // a file can't be read or parsed
inline constexpr int kExitUnusableAddress = 2;
inline constexpr int kExitDeviceNotFound = 3;
inline constexpr int kExitCheckFailed = 3;   // check-update: the server could not be asked
inline constexpr int kExitNameRefused = 3;   // duplicate, import: the new configuration's name is refused
inline constexpr int kExitSheetRefused = 3;  // batch: a row of the sheet is refused; nothing written
inline constexpr int kExitUpdaterFailed = 4; // update: the updater ended with a status other than 0

} // namespace lw::cli
