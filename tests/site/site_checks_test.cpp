#include "core/text_table.h"
#include "params/ip_address.h"
#include "site/site_checks.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

// A unit by its dotted IP address, mask and gateway ("" leaves the gateway
// disabled with its default octets).
SiteUnit unit(const std::string& name, const std::string& ip, const std::string& mask = "255.255.255.0",
              const std::string& gateway = "", const std::string& modbus_id = "10") {
  auto octets = [](const std::string& dotted) { return address_fields(dotted).value(); };
  SiteUnit u{name, Par_Gen_Set()};
  auto i = octets(ip), m = octets(mask);
  u.set.Ethernet_IP1 = i[0], u.set.Ethernet_IP2 = i[1], u.set.Ethernet_IP3 = i[2], u.set.Ethernet_IP4 = i[3];
  u.set.Ethernet_SM1 = m[0], u.set.Ethernet_SM2 = m[1], u.set.Ethernet_SM3 = m[2], u.set.Ethernet_SM4 = m[3];
  if (!gateway.empty()) {
    auto g = octets(gateway);
    u.set.Ethernet_EN_GAT = true;
    u.set.Ethernet_GAT1 = g[0], u.set.Ethernet_GAT2 = g[1], u.set.Ethernet_GAT3 = g[2],
    u.set.Ethernet_GAT4 = g[3];
  }
  u.set.MODBUS_SLAVE_IDDEVICE = modbus_id;
  return u;
}

struct SiteCase {
  const char* name;
  std::vector<SiteUnit> units;
  std::vector<std::string> notes; // as the companion prints them
};

class SiteChecks : public testing::TestWithParam<SiteCase> {};

TEST_P(SiteChecks, NotesNameTheConfigurationsAndTheAddress) {
  TextTable english;
  english.Fill_English_Texts();
  std::vector<std::string> shown;
  for (const SiteNote& note : site_notes(GetParam().units))
    shown.push_back(note_text(note, english));
  EXPECT_EQ(shown, GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SiteChecks,
    testing::Values(
        SiteCase{"distinct_hosts",
                 {unit("A", "192.168.0.5"), unit("B", "192.168.0.6", "255.255.255.0", "192.168.0.1")},
                 {}},
        SiteCase{"same_ip_twice",
                 {unit("A", "192.168.0.5"), unit("B", "192.168.0.6"), unit("C", "192.168.0.5")},
                 {"A, C: the same IP address 192.168.0.5"}},
        SiteCase{"same_ip_written_otherwise",
                 {unit("A", "10.0.0.7"), unit("B", "010.0.0.07")},
                 {"A, B: the same IP address 10.0.0.7"}},
        SiteCase{"same_ip_three_times_one_note",
                 {unit("A", "10.0.0.7"), unit("B", "10.0.0.7"), unit("C", "10.0.0.7")},
                 {"A, B, C: the same IP address 10.0.0.7"}},
        SiteCase{"same_modbus_id_is_no_clash",
                 {unit("A", "10.0.0.7", "255.0.0.0", "", "1"), unit("B", "10.0.0.8", "255.0.0.0", "", "1")},
                 {}},
        SiteCase{"network_address",
                 {unit("A", "192.168.1.0")},
                 {"A: IP address 192.168.1.0 is the network address of subnet 192.168.1.0/255.255.255.0"}},
        SiteCase{
            "broadcast_address",
            {unit("A", "172.16.31.255", "255.255.240.0")},
            {"A: IP address 172.16.31.255 is the broadcast address of subnet 172.16.16.0/255.255.240.0"}},
        SiteCase{"host_next_to_them", {unit("A", "192.168.1.1"), unit("B", "192.168.1.254")}, {}},
        SiteCase{"point_to_point_and_single_host_have_none",
                 {unit("A", "10.0.0.0", "255.255.255.254"), unit("B", "10.0.0.9", "255.255.255.255")},
                 {}},
        SiteCase{"gateway_outside_subnet",
                 {unit("A", "192.168.0.5", "255.255.255.0", "192.168.1.1")},
                 {"A: gateway 192.168.1.1 is outside subnet 192.168.0.0/255.255.255.0"}},
        SiteCase{"gateway_inside_a_wider_subnet",
                 {unit("A", "192.168.0.5", "255.255.252.0", "192.168.3.254")},
                 {}},
        SiteCase{"disabled_gateway_not_looked_at",
                 [] {
                   SiteUnit u = unit("A", "192.168.0.5");
                   u.set.Ethernet_GAT1 = "10";
                   return std::vector<SiteUnit>{u};
                 }(),
                 {}},
        SiteCase{"mask_not_contiguous",
                 {unit("A", "192.168.0.0", "255.0.255.0", "10.0.0.1")},
                 {"A: subnet mask 255.0.255.0 is not contiguous"}},
        SiteCase{"mask_of_no_ones_is_contiguous", {unit("A", "192.168.0.5", "0.0.0.0")}, {}},
        SiteCase{
            "unusable_address_takes_no_part",
            {unit("A", "192.168.0.256"), unit("B", "192.168.0.256"), unit("C", "abc.0.0.0", "255.255.x.0")},
            {}},
        SiteCase{
            "own_notes_before_shared_ones",
            {unit("A", "10.1.1.255", "255.255.255.0"), unit("B", "10.1.1.255", "255.255.0.0", "10.2.0.1")},
            {"A: IP address 10.1.1.255 is the broadcast address of subnet 10.1.1.0/255.255.255.0",
             "B: gateway 10.2.0.1 is outside subnet 10.1.0.0/255.255.0.0",
             "A, B: the same IP address 10.1.1.255"}},
        SiteCase{"empty_site", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SiteChecks, NotesForOneConfigurationTakeItsEditedSet) {
  std::vector<SiteUnit> site{unit("A", "10.0.0.1"), unit("B", "10.0.0.2"),
                             unit("C", "10.0.0.3", "255.0.255.0"), unit("D", "10.0.0.2")};
  // B as the editor holds it now: A's address, no longer D's.
  auto notes = notes_for("B", unit("B", "10.0.0.1").set, site);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0], (SiteNote{NoteKind::SharedAddress, {"A", "B"}, "10.0.0.1", ""}));
  // A configuration the site does not hold yet joins it.
  notes = notes_for("E", unit("E", "10.0.0.3", "255.0.255.0").set, site);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], (SiteNote{NoteKind::MaskNotContiguous, {"E"}, "255.0.255.0", ""}));
  EXPECT_EQ(notes[1], (SiteNote{NoteKind::SharedAddress, {"C", "E"}, "10.0.0.3", ""}));
}

TEST(SiteChecks, NoteTextsComeFromTheCatalogue) {
  TextTable texts;
  texts.Fill_English_Texts();
  texts.Put(1172, "%2 doppelt: %1");
  EXPECT_EQ(note_text({NoteKind::SharedAddress, {"A", "B"}, "10.0.0.1", ""}, texts),
            "10.0.0.1 doppelt: A, B");
}

} // namespace
} // namespace lw
