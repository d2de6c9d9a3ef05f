#pragma once
#include <cstddef>

namespace lw {

// Whether a table holds one row for each of `count` enumerators, each at
// the index of the enumerator in its `key`, so that a row is found by
// indexing with the enumerator alone.
template <class Table, class Row, class Key>
constexpr bool indexed_by(const Table& table, Key Row::*key, std::size_t count) {
  if (table.size() != count) return false;
  for (std::size_t i = 0; i < table.size(); ++i)
    if (static_cast<std::size_t>(table[i].*key) != i) return false;
  return true;
}

} // namespace lw
