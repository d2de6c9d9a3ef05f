#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lw {

using OctetTexts = std::array<std::string, 4>;

// Splits a dotted address text into four octet texts, trimmed; succeeds only
// when each reads as an integer from 0 to 255.
std::optional<OctetTexts> Split_IP_Address(const std::string& text);

// The four parts of a dotted text kept verbatim, as the dialog's four fields
// would hold them: the fourth takes whatever follows the third dot. nullopt
// with fewer than three dots. join_octets gives the text back.
std::optional<OctetTexts> address_fields(const std::string& text);

// The probe's address: the four field texts joined with ".", usable only as
// exactly four integers 0..255. It is never resolved as a host name.
std::string join_octets(const OctetTexts& fields);
std::optional<std::array<std::uint8_t, 4>> usable_address(const std::string& joined);

// A usable address as plain dotted decimal ("0127.0.0.01" and "+127.0.0.1"
// become "127.0.0.1"): the one form written anywhere, because other readers
// take a leading zero for octal and would name another device.
std::optional<std::string> canonical_address(const std::string& joined);
OctetTexts octet_texts(const std::array<std::uint8_t, 4>& octets);

} // namespace lw
