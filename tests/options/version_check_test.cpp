#include "fakes.h"
#include "options/version_check.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace lw {
namespace {

struct VersionCase {
  const char* name;
  const char* text;
  int value;
};

class ConvVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(ConvVersion, CountsFourDigits) { EXPECT_EQ(Conv_Version(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvVersion,
    testing::Values(VersionCase{"own", "1.001", 1001}, VersionCase{"prefixed", "VER. 1.002", 1002},
                    VersionCase{"extra_digit", "VER. 1.0025", 1002},
                    VersionCase{"two_digit_major", "VER. 10.001", -1}, VersionCase{"no_blank", "2.000", 2000},
                    VersionCase{"short", "VER. 1.1", -1},
                    VersionCase{"blanks_around", "VER.   1.003  ", 1003},
                    VersionCase{"letters", "VER. a.bcd", -1}, VersionCase{"empty", "", -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReplyCase {
  const char* name;
  std::optional<std::string> reply;
  bool newer;
};

class CheckVersion : public testing::TestWithParam<ReplyCase> {};

TEST_P(CheckVersion, ReplyRules) {
  test::FakeHttp http;
  http.reply = GetParam().reply;
  EXPECT_EQ(Check_Version(http, "http://server"), GetParam().newer);
  EXPECT_EQ(http.urls,
            std::vector<std::string>{"http://server/home/download/GetversionSW.asp?nomesw=SW40873"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckVersion,
    testing::Values(ReplyCase{"newer", "VER. 1.002", true}, ReplyCase{"same", "ver. 1.001", false},
                    ReplyCase{"older", "VER. 1.000", false},
                    ReplyCase{"unknown_code", "  ver. 0.000 ", false}, ReplyCase{"blanks_only", "   ", false},
                    ReplyCase{"failed", std::nullopt, false}, ReplyCase{"extra_digit", "VER. 1.0025", true},
                    ReplyCase{"two_digit_major", "VER. 10.001", false},
                    ReplyCase{"bare_version", "2.000\r\n", true}, ReplyCase{"too_short", "VER. 1.1", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw
