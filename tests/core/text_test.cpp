#include "core/text.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

struct IntegerCase {
  const char* name;
  const char* text;
  std::optional<std::int32_t> value;
};

class IntegerRule : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerRule, ReadsOnlyPlainSignedDecimals) {
  EXPECT_EQ(parse_integer(GetParam().text), GetParam().value) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegerRule,
    testing::Values(IntegerCase{"digits", "512", 512}, IntegerCase{"leading_zeros", "0100", 100},
                    IntegerCase{"plus", "+7", 7}, IntegerCase{"minus", "-1", -1},
                    IntegerCase{"int32_max", "2147483647", 2147483647},
                    IntegerCase{"int32_min", "-2147483648", INT32_MIN},
                    IntegerCase{"above_int32", "2147483648", std::nullopt},
                    IntegerCase{"below_int32", "-2147483649", std::nullopt},
                    IntegerCase{"huge", "99999999999999999999999", std::nullopt},
                    IntegerCase{"empty", "", std::nullopt}, IntegerCase{"sign_only", "-", std::nullopt},
                    IntegerCase{"leading_blank", " 1", std::nullopt},
                    IntegerCase{"trailing_blank", "1 ", std::nullopt},
                    IntegerCase{"hex", "0x10", std::nullopt}, IntegerCase{"letters", "abc", std::nullopt},
                    IntegerCase{"double_sign", "+-1", std::nullopt},
                    IntegerCase{"decimal_point", "1.0", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw
