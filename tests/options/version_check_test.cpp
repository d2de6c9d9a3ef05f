#include "cli.h"
#include "fakes.h"
#include "http_server.h"
#include "options/version_check.h"
#include "platform/http.h"
#include "temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

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

TEST(HttpClient, SendsExactlyTheVersionRequest) {
  test::set_environment("http_proxy", "http://127.0.0.1:1"); // must be ignored
  test::LoopbackHttpServer server(test::http_reply(200, "VER. 1.002"));
  CurlHttpClient http;
  EXPECT_TRUE(Check_Version(http, server.base_url()));
  test::set_environment("http_proxy", "");
  auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], "GET /home/download/GetversionSW.asp?nomesw=SW40873 HTTP/1.0\r\n"
                         "Host: 127.0.0.1:" +
                             server.base_url().substr(server.base_url().rfind(':') + 1) +
                             "\r\n"
                             "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                             "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                             "\r\n");
}

TEST(HttpClient, ErrorStatusAndRedirectAreFailures) {
  test::LoopbackHttpServer error(test::http_reply(500, "VER. 9.999"));
  test::LoopbackHttpServer redirect(test::http_reply(302, "VER. 9.999", "Location: /elsewhere\r\n"));
  CurlHttpClient http;
  EXPECT_EQ(http.get(error.base_url() + "/x"), std::nullopt);
  EXPECT_EQ(http.get(redirect.base_url() + "/x"), std::nullopt);
  EXPECT_EQ(redirect.requests().size(), 1u);
}

TEST(HttpClient, SilentServerGivesUpWithinTheTimeouts) {
  test::LoopbackHttpServer server("", true);
  CurlHttpClient http;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(http.get(server.base_url() + "/x"), std::nullopt);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::seconds(9));
  EXPECT_LT(took, std::chrono::seconds(12));
}

TEST(HttpClient, RefusedConnectionFailsQuietly) {
  CurlHttpClient http;
  EXPECT_FALSE(Check_Version(http, "http://127.0.0.1:9"));
}

TEST(CliCheckUpdate, PrintsNewerOrNone) {
  test::LoopbackHttpServer newer(test::http_reply(200, "VER. 1.002"));
  test::LoopbackHttpServer same(test::http_reply(200, "VER. 1.001"));
  for (auto [server, expected] : {std::pair{&newer, "newer\n"}, std::pair{&same, "none\n"}}) {
    std::ostringstream out, err;
    cli::Io io{out, err, "."};
    EXPECT_EQ(cli::run({"check-update", "--server", server->base_url()}, io), 0);
    EXPECT_EQ(out.str(), expected);
  }
  std::ostringstream out, err;
  cli::Io io{out, err, "."};
  EXPECT_EQ(cli::run({"check-update", "--server"}, io), 2);
}

// "none" stays the one word the window would act on; a check that could
// not be made says why on standard error and ends with a status of its own.
TEST(CliCheckUpdate, FailedCheckSaysWhyAndEndsWithItsOwnStatus) {
  test::LoopbackHttpServer missing(test::http_reply(404, "not here"));
  test::LoopbackHttpServer garbage(test::http_reply(200, "<html>maintenance</html>"));
  test::LoopbackHttpServer nothing_new(test::http_reply(200, "Ver. 0.000"));
  struct Case {
    std::string server;
    int status;
    const char* why; // on standard error; nullptr: nothing
  };
  const Case cases[] = {
      {missing.base_url(), 3, "HTTP status 404"},
      {garbage.base_url(), 3, "holds no version"},
      {"http://127.0.0.1:9", 3, "127.0.0.1"},
      {nothing_new.base_url(), 0, nullptr},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    cli::Io io{out, err, "."};
    EXPECT_EQ(cli::run({"check-update", "--server", c.server}, io), c.status) << c.server;
    EXPECT_EQ(out.str(), "none\n") << c.server;
    if (c.why)
      EXPECT_NE(err.str().find(c.why), std::string::npos) << c.server << ": " << err.str();
    else
      EXPECT_EQ(err.str(), "") << c.server;
  }
}

} // namespace
} // namespace lw
