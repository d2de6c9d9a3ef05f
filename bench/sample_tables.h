#pragma once
#include "params/dmx_defaults.h"

#include <string>

namespace lw::bench {

// A patch as a site has it: every level once per 256 channels, every channel named.
inline DMX_Def_Table sample_rows(int n) {
  DMX_Def_Table rows(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    rows[static_cast<std::size_t>(i)] = {std::to_string(i % 256), "Fixture " + std::to_string(i)};
  return rows;
}

} // namespace lw::bench
