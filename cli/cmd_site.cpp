#include "cli.h"
#include "formats/utf8.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"
#include "site/probe_all.h"
#include "site/unit_status.h"
#include "site_listing.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>

namespace lw::cli {

namespace {
// Every unit with an address now is probed at once; one that has none is
// not. Why a probe could not be made at all is said once on stderr, however
// many units it kept from being probed.
SiteProbe probe_site(const std::vector<UnitStatus>& units, const Parsed& args, Io& io) {
  std::vector<std::string> addresses;
  std::vector<std::size_t> unit_of;
  for (std::size_t i = 0; i < units.size(); ++i)
    if (units[i].address_now) {
      addresses.push_back(dotted(*units[i].address_now));
      unit_of.push_back(i);
    }
  SteadyClock clock;
  const ProbeAllResult result =
      Probe_All(addresses, {[] { return std::make_unique<IcmpEchoClient>(); }, clock});
  SiteProbe probe{std::vector<std::optional<bool>>(units.size()), true};
  std::set<std::string> faults;
  for (std::size_t k = 0; k < addresses.size(); ++k) {
    const std::optional<ProbeOutcome>& outcome = result.outcomes[k];
    if (!outcome) continue;
    probe.reachable[unit_of[k]] = reachable(*outcome);
    if (!reachable(*outcome) && !outcome->system_text.empty()) faults.insert(outcome->system_text);
  }
  for (const std::string& fault : faults)
    complain(io.err, args.command) << "no probe: " << utf8::printable(fault) << "\n";
  return probe;
}

// A folder that is no configuration is listed with why, but is no unit the
// site waits for.
bool all_up_to_date(const std::vector<UnitStatus>& units) {
  return std::ranges::all_of(units, [](const UnitStatus& unit) {
    return unit.state == UnitState::UpToDate || unit.state == UnitState::NotConfiguration;
  });
}
} // namespace

// The site at a glance, from its files alone unless --probe asks who answers.
int cmd_site(const Parsed& args, Io& io) {
  const std::vector<UnitStatus> units = site_status(args.positionals[0], english_texts());
  const SiteProbe probe = args.has("--probe") ? probe_site(units, args, io) : SiteProbe{};
  io.out << (args.has("--json") ? site_json(units, probe) : site_table(units, probe));
  return all_up_to_date(units) ? kExitOk : kExitNotUpToDate;
}

} // namespace lw::cli
