#include "formats/html_document.h"

#include <gtest/gtest.h>
#include <string>

namespace lw {
namespace {

TEST(HtmlEscape, ControlCharactersShowAsReplacements) {
  EXPECT_EQ(html_escape(std::string("a\x01<b>\t'\n", 8)), "a\xEF\xBF\xBD&lt;b&gt;\t&#39;\n");
}

} // namespace
} // namespace lw
