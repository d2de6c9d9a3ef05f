#include "params/ip_address.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

// A text and the four parts expected from it.
struct PartsCase {
  const char* name;
  const char* text;
  std::optional<OctetTexts> expected;
};

class SplitIp : public testing::TestWithParam<PartsCase> {};

TEST_P(SplitIp, SplitsAndChecksEachOctet) {
  EXPECT_EQ(Split_IP_Address(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitIp,
    testing::Values(PartsCase{"plain", "192.168.2.205", OctetTexts{"192", "168", "2", "205"}},
                    PartsCase{"blanks_around_parts", " 10 . 0 .0 . 7 ", OctetTexts{"10", "0", "0", "7"}},
                    PartsCase{"three_parts", "10.0.7", std::nullopt},
                    PartsCase{"fourth_300", "10.0.0.300", std::nullopt},
                    PartsCase{"fourth_holds_dots", "10.0.0.7.1", std::nullopt},
                    PartsCase{"letters", "a.b.c.d", std::nullopt}, PartsCase{"empty", "", std::nullopt},
                    PartsCase{"leading_zeros", "010.000.001.007", OctetTexts{"010", "000", "001", "007"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CanonicalAddress, PlainDecimalOfWhatTheProbeAccepts) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"127.0.0.1", "127.0.0.1"},      {"0127.0.0.01", "127.0.0.1"}, {"+10.-0.000.255", "10.0.0.255"},
      {"010.000.001.007", "10.0.1.7"}, {"1.2.3.256", std::nullopt},  {"localhost", std::nullopt},
  };
  for (const auto& [typed, canonical] : cases)
    EXPECT_EQ(canonical_address(typed), canonical) << typed;
}

TEST(UsableAddress, FourIntegersOnlyNeverAName) {
  EXPECT_EQ(usable_address("127.0.0.1"), (std::array<std::uint8_t, 4>{127, 0, 0, 1}));
  for (const char* bad : {"localhost", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1. 2.3.4", "1.2.3.x", "", "..."})
    EXPECT_EQ(usable_address(bad), std::nullopt) << bad;
}

class AddressFields : public testing::TestWithParam<PartsCase> {};

TEST_P(AddressFields, KeepsThePartsVerbatimAndJoinsBack) {
  const auto& c = GetParam();
  auto fields = address_fields(c.text);
  EXPECT_EQ(fields, c.expected);
  if (fields) {
    EXPECT_EQ(join_octets(*fields), c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddressFields,
    testing::Values(PartsCase{"plain", "192.168.2.205", OctetTexts{"192", "168", "2", "205"}},
                    PartsCase{"blanks_kept", " 10 . 0.0.7", OctetTexts{" 10 ", " 0", "0", "7"}},
                    PartsCase{"fourth_takes_the_rest", "1.2.3.4.5", OctetTexts{"1", "2", "3", "4.5"}},
                    PartsCase{"empty_parts", "...", OctetTexts{"", "", "", ""}},
                    PartsCase{"letters", "a.b.c.d", OctetTexts{"a", "b", "c", "d"}},
                    PartsCase{"three_parts", "10.0.7", std::nullopt},
                    PartsCase{"no_dot", "localhost", std::nullopt}, PartsCase{"empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw
