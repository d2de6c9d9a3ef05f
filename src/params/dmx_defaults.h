#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
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

// The longest mnemonic taken in, in characters. A channel's label on a desk
// or a sheet needs far less, and 65535 channels with mnemonics this long,
// each character written at its longest ('"' as "&quot;"), still make a
// file its reader takes.
inline constexpr std::size_t kMaxMnemonicChars = 32;

// What a mnemonic taken in may not be: longer than the cap, or holding a
// control character (a label is one line; C0, DEL and C1 alike), a character
// XML can't hold at all, or bytes that are no UTF-8. Files written before
// the cap keep their longer mnemonics; only new ones are refused.
enum class MnemonicFault { None, TooLong, ControlCharacter, NotXmlCharacter, NotUtf8 };
struct MnemonicCheck {
  MnemonicFault fault = MnemonicFault::None;
  char32_t character = 0; // the one refused
  std::size_t length = 0; // in characters, when too long
};
MnemonicCheck check_mnemonic(std::string_view text);
// The fault in a sheet's row message: "Mnemonic holds the control character U+0009".
std::string mnemonic_fault_text(const MnemonicCheck& check);

struct MnemonicFailure {
  int channel; // from 1
  MnemonicCheck check;
};
// The editor's test of the mnemonics before saving: the first that fails
// among those not as `stored` has them, so a file written before the cap
// keeps its longer mnemonics until they are edited.
std::optional<MnemonicFailure> first_bad_mnemonic(const DMX_Def_Table& table, const DMX_Def_Table& stored);

// Channel count for the editor: DMX_Num_Channels of ParGen.xml when it reads
// as an integer from 1 to 65535, else 512. Throws FileError when the file
// exists but can't be parsed.
int dmx_channel_count(const std::string& par_gen_path);

// N rows filled from the file by child-node position. Throws FileError when
// the file exists but can't be read or parsed.
DMX_Def_Table Load_DMX_Defaults(const std::string& path, int channels);
// The file's bytes; throws FileError naming the limit when its reader would
// refuse them.
std::string dmx_defaults_xml(const DMX_Def_Table& table);
void Save_DMX_Defaults(const std::string& path, const DMX_Def_Table& table);

// The editor's test before saving: the first channel (from 1) whose value is
// not an integer from 0 to 255, or nullopt.
std::optional<int> Controllo_dati(const DMX_Def_Table& table);

// The message for a failing channel, from the catalogue's two pieces.
std::string dmx_row_error(const std::string& before, int channel, const std::string& after);

} // namespace lw
