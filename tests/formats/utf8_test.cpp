#include "formats/utf8.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

struct FoldCase {
  std::string_view a, b;
  bool same;
};

// Only A to Z fold: a byte of a UTF-8 character, or of no character at all,
// stays as it is, so É and é stay two letters and no name changes length.
constexpr FoldCase kFoldCases[] = {
    {"ParGen.xml", "PARGEN.XML", true},
    {"Channel", "channel", true},
    {"", "", true},
    {"@[`{", "@[`{", true},
    {"@", "`", false}, // the bytes beside A and a, one case bit apart
    {"[", "{", false},
    {"Z", "z", true},
    {"Channel", "Channels", false},
    {"Channel", "Chann", false},
    {"\xC3\x89t\xC3\xA9", "\xC3\x89T\xC3\xA9", true},  // Été, ÉTé
    {"\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9", false}, // Été, été
    {"\xC3\xA7", "\xE3\xA7", false}, // ç and the byte a Latin-1 fold would make of its lead
    {"\xFF", "\xDF", false},
};

TEST(AsciiFold, ComparesOnlyAToZWithoutCase) {
  for (const FoldCase& c : kFoldCases) {
    EXPECT_EQ(utf8::same_ignoring_ascii_case(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(utf8::same_ignoring_ascii_case(c.b, c.a), c.same) << c.b << " / " << c.a;
    EXPECT_EQ(utf8::ascii_lower(c.a) == utf8::ascii_lower(c.b), c.same) << c.a << " / " << c.b;
  }
}

TEST(AsciiFold, LowersLettersAndKeepsEveryOtherByte) {
  EXPECT_EQ(utf8::ascii_lower("Fran\xC3\x87"
                              "AIS.LNG"),
            "fran\xC3\x87"
            "ais.lng");
  std::string every_byte;
  for (int b = 0; b < 256; ++b)
    every_byte += static_cast<char>(b);
  std::string lowered = utf8::ascii_lower(every_byte);
  ASSERT_EQ(lowered.size(), every_byte.size());
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(static_cast<unsigned char>(lowered[static_cast<std::size_t>(b)]),
              b >= 'A' && b <= 'Z' ? b + 32 : b)
        << b;
}

} // namespace
} // namespace lw
