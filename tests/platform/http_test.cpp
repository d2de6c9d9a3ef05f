#include "fakes.h"
#include "http_server.h"
#include "options/version_check.h"
#include "platform/http.h"
#include "temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

namespace lw {
namespace {

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

} // namespace
} // namespace lw
