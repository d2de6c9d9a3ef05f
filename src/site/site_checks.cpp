#include "site/site_checks.h"

#include "core/text.h"
#include "core/text_ids.h"
#include "params/ip_address.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <optional>

namespace lw {

namespace {
std::optional<std::uint32_t> address(const std::string& a, const std::string& b, const std::string& c,
                                     const std::string& d) {
  auto octets = usable_address(join_octets({a, b, c, d}));
  if (!octets) return std::nullopt;
  return std::uint32_t{(*octets)[0]} << 24 | std::uint32_t{(*octets)[1]} << 16 |
         std::uint32_t{(*octets)[2]} << 8 | std::uint32_t{(*octets)[3]};
}

std::string dotted(std::uint32_t value) {
  return std::to_string(value >> 24) + "." + std::to_string(value >> 16 & 0xFF) + "." +
         std::to_string(value >> 8 & 0xFF) + "." + std::to_string(value & 0xFF);
}

bool contiguous(std::uint32_t mask) {
  std::uint32_t host = ~mask;
  return (host & (host + 1)) == 0;
}

// A subnet of 31 or 32 bits has no network or broadcast address to avoid:
// its addresses are all hosts (a point-to-point link, a single host).
constexpr int kLongestPrefixWithBroadcast = 30;

void own_notes(const SiteUnit& unit, std::vector<SiteNote>& out) {
  const Par_Gen_Set& s = unit.set;
  auto ip = address(s.Ethernet_IP1, s.Ethernet_IP2, s.Ethernet_IP3, s.Ethernet_IP4);
  auto mask = address(s.Ethernet_SM1, s.Ethernet_SM2, s.Ethernet_SM3, s.Ethernet_SM4);
  if (!mask) return;
  if (!contiguous(*mask)) {
    out.push_back({NoteKind::MaskNotContiguous, {unit.name}, dotted(*mask), {}});
    return;
  }
  if (!ip) return;
  std::uint32_t network = *ip & *mask;
  std::string subnet = dotted(network) + "/" + dotted(*mask);
  if (std::popcount(*mask) <= kLongestPrefixWithBroadcast) {
    if (*ip == network) out.push_back({NoteKind::NetworkAddress, {unit.name}, dotted(*ip), subnet});
    if (*ip == (network | ~*mask))
      out.push_back({NoteKind::BroadcastAddress, {unit.name}, dotted(*ip), subnet});
  }
  if (!s.Ethernet_EN_GAT) return;
  auto gateway = address(s.Ethernet_GAT1, s.Ethernet_GAT2, s.Ethernet_GAT3, s.Ethernet_GAT4);
  if (gateway && (*gateway & *mask) != network)
    out.push_back({NoteKind::GatewayOutsideSubnet, {unit.name}, dotted(*gateway), subnet});
}

constexpr std::array<std::pair<NoteKind, int>, 5> kNoteTexts{{
    {NoteKind::SharedAddress, text_id::kNoteSharedAddress},
    {NoteKind::NetworkAddress, text_id::kNoteNetworkAddress},
    {NoteKind::BroadcastAddress, text_id::kNoteBroadcastAddress},
    {NoteKind::GatewayOutsideSubnet, text_id::kNoteGatewayOutsideSubnet},
    {NoteKind::MaskNotContiguous, text_id::kNoteMaskNotContiguous},
}};
} // namespace

std::vector<SiteNote> site_notes(std::span<const SiteUnit> units) {
  std::vector<SiteNote> out;
  std::vector<std::uint32_t> order;
  std::map<std::uint32_t, std::vector<std::string>> holders;
  for (const SiteUnit& unit : units) {
    own_notes(unit, out);
    const Par_Gen_Set& s = unit.set;
    if (auto ip = address(s.Ethernet_IP1, s.Ethernet_IP2, s.Ethernet_IP3, s.Ethernet_IP4)) {
      auto& names = holders[*ip];
      if (names.empty()) order.push_back(*ip);
      names.push_back(unit.name);
    }
  }
  for (std::uint32_t ip : order)
    if (holders[ip].size() > 1) out.push_back({NoteKind::SharedAddress, holders[ip], dotted(ip), {}});
  return out;
}

std::vector<SiteNote> notes_for(const std::string& name, const Par_Gen_Set& set, std::vector<SiteUnit> site) {
  auto own = std::find_if(site.begin(), site.end(), [&](const SiteUnit& u) { return u.name == name; });
  if (own != site.end())
    own->set = set;
  else
    site.insert(std::find_if(site.begin(), site.end(), [&](const SiteUnit& u) { return u.name > name; }),
                {name, set});
  std::vector<SiteNote> out;
  for (SiteNote& note : site_notes(site))
    if (std::find(note.configurations.begin(), note.configurations.end(), name) != note.configurations.end())
      out.push_back(std::move(note));
  return out;
}

std::string note_text(const SiteNote& note, const TextTable& texts) {
  std::string names;
  for (std::size_t i = 0; i < note.configurations.size(); ++i)
    names += (i > 0 ? ", " : "") + note.configurations[i];
  auto entry =
      std::find_if(kNoteTexts.begin(), kNoteTexts.end(), [&](const auto& e) { return e.first == note.kind; });
  std::string values[] = {names, note.address, note.subnet};
  return fill_places(texts.Get(entry->second), values);
}

} // namespace lw
