#pragma once
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace lw::test {

// Equal bytes, or the first offset where they differ.
inline testing::AssertionResult same_bytes(std::string_view actual, std::string_view expected) {
  std::size_t n = std::min(actual.size(), expected.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (actual[i] != expected[i]) {
      return testing::AssertionFailure() << "first difference at offset " << i << " (0x" << std::hex << i
                                         << "): got 0x" << (static_cast<unsigned>(actual[i]) & 0xFF)
                                         << ", expected 0x" << (static_cast<unsigned>(expected[i]) & 0xFF);
    }
  }
  if (actual.size() != expected.size())
    return testing::AssertionFailure() << "sizes differ: " << actual.size() << " against " << expected.size();
  return testing::AssertionSuccess();
}

} // namespace lw::test
