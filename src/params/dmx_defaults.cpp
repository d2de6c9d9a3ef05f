#include "params/dmx_defaults.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
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
  return xml::to_bytes(doc);
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

std::string dmx_row_error(const std::string& before, int channel, const std::string& after) {
  return before + std::to_string(channel) + after;
}

} // namespace lw
