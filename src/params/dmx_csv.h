#pragma once
#include "params/dmx_defaults.h"

#include <string>
#include <string_view>

namespace lw {

// The channel table as a sheet for spreadsheets: UTF-8 without a byte-order
// mark, comma-separated, CR LF, a header row, one row per channel. The
// register column names the 0-based protocol address channel n is read at
// (n - 1) when each channel has a register of its own, and is empty
// otherwise. Values and mnemonics are written exactly as stored.
inline constexpr std::string_view kDmxCsvRegisterHeader = "Register (0-based)";
std::string dmx_csv(const DMX_Def_Table& table, bool one_channel_per_register);

// The table after a sheet is laid over it, by the header's column names
// (case ignored; other columns ignored). A Value is an integer from 0 to 255
// by the program's integer rule or a whole percentage, 0% to 100%, taken as
// 255 * p / 100 rounded half up (50% is 128). Channels the sheet leaves out
// keep their row; without a Mnemonic column every mnemonic stays. A mnemonic
// is taken as the editor takes it (check_mnemonic). A value equal to the
// stored one keeps its stored text, so a sheet exported and read back
// changes nothing. Rows whose fields are all empty count as blank lines. A
// sheet with only its header changes nothing. The header is looked at before
// any row, and each row taken as it is read. Throws FileError, prefixed with
// name, for a text that is no sheet (csv::Reader) and for the first bad row
// ("row 17: Value 300 must be between 0 and 255"; the header is row 1), and
// then nothing is taken.
DMX_Def_Table import_dmx_csv(std::string_view text, const DMX_Def_Table& table, const std::string& name);

// How many channels differ between two tables of the same size.
int changed_channels(const DMX_Def_Table& before, const DMX_Def_Table& after);

} // namespace lw
