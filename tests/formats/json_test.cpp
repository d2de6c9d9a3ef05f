#include "formats/json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace lw {
namespace {

TEST(JsonEscape, AnyBytesGiveAStringAJsonReaderTakes) {
  struct Case {
    std::string text;
    std::string read_back; // what a JSON reader gives back
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"\"quoted\" \\ back", "\"quoted\" \\ back"},
      {std::string("nul\0tab\t\x1f", 9), std::string("nul\0tab\t\x1f", 9)},
      // C1 controls are escaped too, so the text reaches no terminal raw.
      {"csi\xC2\x9B"
       "31m nel\xC2\x85 nbsp\xC2\xA0",
       "csi\xC2\x9B"
       "31m nel\xC2\x85 nbsp\xC2\xA0"},
      {"Se\xC3\xB1"
       "al \xE2\x82\xAC",
       "Se\xC3\xB1"
       "al \xE2\x82\xAC"},
      // Latin-1, a lone continuation byte, an overlong form and a cut-off
      // sequence: each byte that begins no character is one U+FFFD.
      {"a\xFF"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"\x80", "\xEF\xBF\xBD"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"end\xE2\x82", "end\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    const std::string json = "\"" + json_escape(c.text) + "\"";
    nlohmann::json parsed;
    ASSERT_NO_THROW(parsed = nlohmann::json::parse(json)) << json;
    EXPECT_EQ(parsed.get<std::string>(), c.read_back) << json;
    for (unsigned char byte : json)
      EXPECT_FALSE(byte < 0x20) << json;
    EXPECT_EQ(json.find("\xC2\x9B"), std::string::npos) << json;
    EXPECT_EQ(json.find("\xC2\x85"), std::string::npos) << json;
  }
}

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
