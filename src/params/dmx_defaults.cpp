#include "params/dmx_defaults.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "formats/utf8.h"
#include "params/dmx_levels.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <algorithm>

namespace lw {

int dmx_channel_count(const std::string& par_gen_path) {
  if (!fs::exists(par_gen_path)) return kDefaultDmxChannels;
  auto count = parse_integer(Load_Par_Gen(par_gen_path).DMX_Num_Channels);
  // Only a hand-edited file holds a count outside 1..65535.
  if (!count || *count < 1 || *count > kMaxDmxChannels) return kDefaultDmxChannels;
  return *count;
}

DMX_Def_Table Load_DMX_Defaults(const std::string& path, int channels) {
  DMX_Def_Table table(static_cast<std::size_t>(std::max(channels, 0)));
  if (!fs::exists(path)) return table;
  pugi::xml_document doc = xml::parse_file(path, kMaxDmxDefaultBytes);
  std::size_t i = 0;
  for (pugi::xml_node n = xml::root(doc).first_child(); n && i < table.size(); n = n.next_sibling(), ++i) {
    if (n.type() != pugi::node_element) continue;
    table[i].Default_Value = n.attribute("Default_Value").value();
    table[i].Mnemonic = n.attribute("Mnemonic").value();
  }
  return table;
}

std::string dmx_defaults_xml(const DMX_Def_Table& table) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("DMX_Default_Values");
  doc.append_child(pugi::node_comment).set_value(std::string(kProjectFileComment).c_str());
  for (const auto& row : table) {
    pugi::xml_node el = root.append_child("Row");
    el.append_attribute("Default_Value").set_value(row.Default_Value.c_str());
    el.append_attribute("Mnemonic").set_value(row.Mnemonic.c_str());
  }
  return xml::to_bytes(doc, kMaxDmxDefaultBytes, std::string(kDmxDefaultFile));
}

void Save_DMX_Defaults(const std::string& path, const DMX_Def_Table& table) {
  fs::atomic_save(path, dmx_defaults_xml(table));
}

std::optional<int> Controllo_dati(const DMX_Def_Table& table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (dmx_level(table[i].Default_Value) == kBadLevel) return static_cast<int>(i + 1);
  }
  return std::nullopt;
}

namespace {
bool is_control(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
} // namespace

MnemonicCheck check_mnemonic(std::string_view text) {
  if (!utf8::is_valid(text)) return {MnemonicFault::NotUtf8};
  std::size_t length = 0;
  for (std::size_t at = 0; at < text.size(); ++length) {
    char32_t c = utf8::next(text, at);
    if (is_control(c)) return {MnemonicFault::ControlCharacter, c};
    if (!utf8::is_xml_char(c)) return {MnemonicFault::NotXmlCharacter, c};
  }
  if (length > kMaxMnemonicChars) return {MnemonicFault::TooLong, 0, length};
  return {};
}

std::string mnemonic_fault_text(const MnemonicCheck& check) {
  switch (check.fault) {
  case MnemonicFault::None: break;
  case MnemonicFault::TooLong:
    return "Mnemonic is " + std::to_string(check.length) + " characters long; a mnemonic holds at most " +
           std::to_string(kMaxMnemonicChars);
  case MnemonicFault::ControlCharacter:
    return "Mnemonic holds the control character " + utf8::code_point_text(check.character);
  case MnemonicFault::NotXmlCharacter:
    return "Mnemonic holds " + utf8::code_point_text(check.character) + ", which no XML file can hold";
  case MnemonicFault::NotUtf8: return "Mnemonic is not UTF-8 text";
  }
  return {};
}

std::optional<MnemonicFailure> first_bad_mnemonic(const DMX_Def_Table& table, const DMX_Def_Table& stored) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i < stored.size() && table[i].Mnemonic == stored[i].Mnemonic) continue;
    if (auto check = check_mnemonic(table[i].Mnemonic); check.fault != MnemonicFault::None)
      return MnemonicFailure{static_cast<int>(i + 1), check};
  }
  return std::nullopt;
}

std::string dmx_row_error(const std::string& before, int channel, const std::string& after) {
  return before + std::to_string(channel) + after;
}

} // namespace lw
