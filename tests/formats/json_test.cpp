#include "formats/json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace lw {
namespace {

TEST(JsonString, AnyBytesGiveAStringAReaderTakesBack) {
  struct Case {
    std::string text;
    std::string read_back;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"say \"hi\" \\ bye", "say \"hi\" \\ bye"},
      {"line\nbreak\ttab\x1b[31m", "line\nbreak\ttab\x1b[31m"},
      {std::string("nul\0here", 8), std::string("nul\0here", 8)},
      {"caf\xC3\xA9 \xE2\x80\xA6", "caf\xC3\xA9 \xE2\x80\xA6"},
      // Bytes that are no UTF-8: a stray continuation, a cut sequence, an
      // overlong form, a surrogate.
      {"a\x80z", "a\xEF\xBF\xBDz"},
      {"cut\xE2\x80", "cut\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    const std::string written = json_string(c.text);
    ASSERT_NO_THROW(EXPECT_EQ(nlohmann::json::parse(written), c.read_back) << written) << written;
  }
}

} // namespace
} // namespace lw
