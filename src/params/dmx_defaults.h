#pragma once
#include <optional>
#include <string>
#include <vector>

namespace lw {

// One DMX channel; the channel number is the row's position, from 1.
struct DMX_Def_Row {
  std::string Default_Value = "0";
  std::string Mnemonic;
  bool operator==(const DMX_Def_Row&) const = default;
};
using DMX_Def_Table = std::vector<DMX_Def_Row>;

inline constexpr int kDefaultDmxChannels = 512;
inline constexpr int kMaxDmxChannels = 65535;

// Channel count for the editor: DMX_Num_Channels of ParGen.xml when it reads
// as an integer from 1 to 65535, else 512. Throws FileError when the file
// exists but can't be parsed.
int dmx_channel_count(const std::string& par_gen_path);

// N rows filled from the file by child-node position. Throws FileError when
// the file exists but can't be read or parsed.
DMX_Def_Table Load_DMX_Defaults(const std::string& path, int channels);
std::string dmx_defaults_xml(const DMX_Def_Table& table);
void Save_DMX_Defaults(const std::string& path, const DMX_Def_Table& table);

// The editor's test before saving: the first channel (from 1) whose value is
// not an integer from 0 to 255, or nullopt.
std::optional<int> Controllo_dati(const DMX_Def_Table& table);

// The message for a failing channel, from the catalogue's two pieces.
std::string dmx_row_error(const std::string& before, int channel, const std::string& after);

} // namespace lw
