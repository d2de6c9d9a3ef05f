#pragma once
#include <cstddef>

namespace lw {

// Largest file of each kind the program reads. Real files are a few hundred
// kilobytes at most; anything larger is refused with a clear error instead
// of holding the program up or exhausting memory.
inline constexpr std::size_t kMaxSettingsBytes = 1u << 20;    // Loomwork.xml
inline constexpr std::size_t kMaxLanguageBytes = 4u << 20;    // *.lng
inline constexpr std::size_t kMaxParGenBytes = 1u << 20;      // ParGen.xml
inline constexpr std::size_t kMaxDmxDefaultBytes = 16u << 20; // DMX_Default_Values.xml
inline constexpr std::size_t kMaxDescriptorBytes = 1u << 20;  // Ethernet_Update.xml, read by the updater
inline constexpr std::size_t kMaxCsvBytes = 16u << 20;        // a channel table as CSV
inline constexpr std::size_t kMaxImageBytes = 1u << 20;       // bank.bin, for inspection
inline constexpr std::size_t kMaxSiteUnits = 5000;            // rows of a site sheet
inline constexpr std::size_t kMaxUpdateLogBytes = 64u << 20;  // update-log.csv, handed on by a replace
// One attempt's line of update-log.csv as its readers take it; the writer
// cuts the system's text so that every line it writes fits.
inline constexpr std::size_t kMaxLoggedLineBytes = 64u << 10;
// A file of a configuration copied as it is: the largest any of them may be.
inline constexpr std::size_t kMaxCopiedBytes = kMaxDmxDefaultBytes;
// A configuration as one zip: its files, its update log and every image it
// sent (one per update, so years of them), unpacked; the zip itself may add
// its headers to the largest total.
inline constexpr std::size_t kMaxArchiveEntries = 10000;
inline constexpr std::size_t kMaxArchiveEntryBytes = kMaxUpdateLogBytes;
inline constexpr std::size_t kMaxArchiveBytes = 128u << 20;
inline constexpr std::size_t kMaxArchiveFileBytes = kMaxArchiveBytes + (8u << 20);

} // namespace lw
