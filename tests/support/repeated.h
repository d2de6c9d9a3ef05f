#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace lw::test {

// The unit written `times` times over, as hostile files and sheets are built.
inline std::string repeated(std::string_view unit, std::size_t times) {
  std::string out;
  out.reserve(unit.size() * times);
  for (std::size_t i = 0; i < times; ++i)
    out += unit;
  return out;
}

} // namespace lw::test
