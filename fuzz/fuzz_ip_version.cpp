#include "options/version_check.h"
#include "params/ip_address.h"

#include <cstdlib>

// Split_IP_Address and Conv_Version on any text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (auto octets = lw::Split_IP_Address(text)) {
    // Four octets that split must make a usable address once joined.
    if (!lw::usable_address(lw::join_octets(*octets))) std::abort();
  }
  lw::usable_address(text);
  // Four characters read by the integer rule: a sign may lead them.
  int v = lw::Conv_Version(text);
  if (v < -999 || v > 9999) std::abort();
  return 0;
}
