#pragma once
#include "core/text_table.h"
#include "params/par_gen.h"

#include <span>
#include <string>
#include <vector>

namespace lw {

// The addressing checks of a site: notes that warn beside the editors' own
// tests and never stop anything. The same Modbus ID on two configurations is
// no clash (each converter has its own serial line) and is not reported.
enum class NoteKind {
  SharedAddress,        // two or more configurations hold the same IP address
  NetworkAddress,       // the IP address is the network address of its subnet
  BroadcastAddress,     // the IP address is the broadcast address of its subnet
  GatewayOutsideSubnet, // an enabled gateway the device can't reach directly
  MaskNotContiguous,    // the mask's ones do not run unbroken from the left
};

struct SiteNote {
  NoteKind kind;
  std::vector<std::string> configurations; // those concerned, in the site's order
  std::string address;                     // the address concerned, plain dotted decimal
  std::string subnet;                      // "network/mask" the address is judged by; empty when none is
  bool operator==(const SiteNote&) const = default;
};

// One configuration of a site with its communication parameters.
struct SiteUnit {
  std::string name;
  Par_Gen_Set set;
};

// Every note of the units: each one's own addressing in order, then the
// addresses they share. An address or mask the editor's tests would refuse
// takes no part; a mask that is not contiguous defines no subnet, so its
// configuration gets that note alone.
std::vector<SiteNote> site_notes(std::span<const SiteUnit> units);

// The notes naming one configuration, its set taking the place of the one
// the site holds for it; one the site does not hold yet joins it in name
// order, as stored_site orders the site.
std::vector<SiteNote> notes_for(const std::string& name, const Par_Gen_Set& set, std::vector<SiteUnit> site);

// The note in the catalogue's language: its configurations joined by ", ".
std::string note_text(const SiteNote& note, const TextTable& texts);

} // namespace lw
