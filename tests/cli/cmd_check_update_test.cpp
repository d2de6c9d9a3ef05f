#include "cli.h"
#include "http_server.h"

#include <gtest/gtest.h>
#include <sstream>
#include <utility>

namespace lw {
namespace {

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
