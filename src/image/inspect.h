#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lw::image {

// What an image holds, decoded for a person to check before it is sent.
struct Inspection {
  std::size_t size = 0;
  bool size_ok = false;
  bool has_parameters = false; // at least the parameter block is there
  // Configured fields, in a stable order: name and shown value.
  std::vector<std::pair<std::string, std::string>> fields;
  std::uint32_t stored_checksum = 0;
  std::uint32_t computed_checksum = 0;
  struct Changed {
    std::size_t offset;
    int width;
    std::uint32_t value;
    std::uint32_t reset;
  };
  std::vector<Changed> changed_fixed; // fixed fields whose value is not their reset value
  struct DmxRun {
    int first, last; // channels, from 1
    int value;
  };
  std::vector<DmxRun> dmx; // channels that are not zero, equal neighbours joined
  bool sound() const { return size_ok && has_parameters && stored_checksum == computed_checksum; }
};

Inspection inspect(std::string_view bytes);
std::string inspection_text(const Inspection& in);
std::string inspection_json(const Inspection& in);

} // namespace lw::image
