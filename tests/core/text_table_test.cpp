#include "core/text.h"
#include "core/text_table.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

TEST(TextTable, FillGivesTheBuiltInEnglishTexts) {
  TextTable t;
  t.Fill_English_Texts();
  EXPECT_EQ(t.Count(), 1500);
  EXPECT_EQ(t.Get(0), "Begin");
  EXPECT_EQ(t.Get(18), "Error! Project not Valid");
  EXPECT_EQ(t.Get(19), "New Version Available. Click Here for more Details");
  EXPECT_EQ(t.Get(27), " ");
  EXPECT_EQ(t.Get(1499), " ");
  EXPECT_EQ(t.Get(305), "Page ");
  EXPECT_EQ(t.Get(306), " / ");
  EXPECT_EQ(t.Get(318), "?");
  EXPECT_EQ(t.Get(507), "Error row ");
  EXPECT_EQ(t.Get(1132), "Error Ethernet!! GATEWAY IP 4 must be between 0 and 255");
}

TEST(TextTable, EntriesWithEdgeBlanksAreExactlyTheKnownOnes) {
  TextTable t;
  t.Fill_English_Texts();
  std::vector<int> edged;
  for (int i = 0; i < t.Count(); ++i) {
    const std::string& s = t.Get(i);
    ASSERT_FALSE(s.empty()) << "entry " << i;
    if (s != " " && (s.front() == ' ' || s.back() == ' ')) edged.push_back(i);
  }
  EXPECT_EQ(edged, (std::vector<int>{9,   11,  304, 305, 306, 316, 317, 404,  407,  445,  507,  527,  529,
                                     532, 674, 680, 683, 691, 694, 697, 1468, 1472, 1475, 1482, 1485, 1488}));
}

TEST(TextTable, RefillRestoresReplacedEntries) {
  TextTable t;
  t.Fill_English_Texts();
  t.Put(18, "Fehler");
  EXPECT_EQ(t.Get(18), "Fehler");
  t.Fill_English_Texts();
  EXPECT_EQ(t.Get(18), "Error! Project not Valid");
  EXPECT_EQ(t.Count(), 1500);
}

// Places are filled in one pass: a value holding "%2" stays as it is, and a
// place without a value, or a lone "%", is left as written.
TEST(TextTable, PlacesAreFilledInOnePass) {
  const std::vector<std::string> values{"A%2", "10.0.0.1"};
  const std::pair<std::string_view, std::string> cases[] = {{"%1: %2", "A%2: 10.0.0.1"},
                                                            {"%2 / %1 / %2", "10.0.0.1 / A%2 / 10.0.0.1"},
                                                            {"%3 %0 %% 50%", "%3 %0 %% 50%"},
                                                            {"%", "%"},
                                                            {"", ""}};
  for (const auto& [pattern, filled] : cases)
    EXPECT_EQ(fill_places(pattern, values), filled) << pattern;
}

} // namespace
} // namespace lw
