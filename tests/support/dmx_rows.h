#pragma once
#include <string>

namespace lw::test {

// A DMX_Default_Values.xml of `count` rows, channel n holding n % 256 and
// the mnemonic "chn"; extra_first goes before the first row.
inline std::string rows_file(int count, const std::string& extra_first = "") {
  std::string s = "<DMX_Default_Values>" + extra_first;
  for (int i = 1; i <= count; ++i)
    s += "<Row Default_Value=\"" + std::to_string(i % 256) + "\" Mnemonic=\"ch" + std::to_string(i) + "\"/>";
  return s + "</DMX_Default_Values>";
}

} // namespace lw::test
