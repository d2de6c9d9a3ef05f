#include "fakes.h"
#include "window_logic/about_window.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

TEST(About, AddressOpensTheHomePage) {
  test::FakeUrlOpener urls;
  AboutLogic logic{urls};
  logic.Label4Click();
  EXPECT_EQ(urls.opened,
            std::vector<std::string>{"http://www.quorvexsite.com/HOME/default.asp?frompg=SW40873"});
}

} // namespace
} // namespace lw
