#include "cli_run.h"
#include "core/text_table.h"
#include "languages/language_file.h"
#include "languages/text_decoding.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lw {
namespace {

using test::CliRun;
using test::run_cli;

TEST(CliTexts, LanguageOverlayReadsBackAsTheSameTable) {
  test::TempDir dir;
  test::write_file(dir.file("LANGUAGE/Deutsch.lng"),
                   "\xEF\xBB\xBF//VERSION 1.0\nSTR18 = Fehler\nSTR305 = \xC2\xB6Seite \xC2\xB6\n");
  CliRun r = run_cli(dir.path(), {"texts", "--language", "Deutsch"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(r.out.starts_with("\xEF\xBB\xBF//VERSION 1.0\r\nSTR0 = Begin\r\n"));
  EXPECT_NE(r.out.find("STR18 = Fehler\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("STR305 = \xC2\xB6Seite \xC2\xB6\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("STR27 = \xC2\xB6 \xC2\xB6\r\n"), std::string::npos);

  TextTable back;
  back.Fill_English_Texts();
  std::string version;
  apply_language_text(decode_text_file(r.out), back, version);
  EXPECT_EQ(back.Get(18), "Fehler");
  EXPECT_EQ(back.Get(305), "Seite ");
  EXPECT_EQ(version, "1.0");
}

TEST(CliTexts, WithoutLanguageUsesTheSettingsAndFallsBack) {
  test::TempDir dir;
  test::write_file(dir.file("Loomwork.xml"), "<C><lastlang><language>Missing</language></lastlang></C>");
  CliRun r = run_cli(dir.path(), {"texts"});
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("\xEF\xBB\xBF//VERSION NO VER.\r\nSTR0 = Begin\r\n"));
  EXPECT_NE(r.out.find("STR1499 = \xC2\xB6 \xC2\xB6\r\n"), std::string::npos);
}

struct UsageCase {
  const char* name;
  cli::Args args;
  int status;
};

class CliUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, AnswersWithItsStatus) {
  test::TempDir dir;
  CliRun r = run_cli(dir.path(), GetParam().args);
  EXPECT_EQ(r.status, GetParam().status);
  if (GetParam().status == 2) {
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CliUsage,
                         testing::Values(UsageCase{"no_command", {}, 2},
                                         UsageCase{"unknown", {"frobnicate"}, 2},
                                         UsageCase{"texts_bad_flag", {"texts", "--lang"}, 2},
                                         UsageCase{"texts_missing_value", {"texts", "--language"}, 2},
                                         UsageCase{"help", {"--help"}, 0},
                                         UsageCase{"version", {"--version"}, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliVersion, PrintsTheVersion) {
  test::TempDir dir;
  EXPECT_EQ(run_cli(dir.path(), {"--version"}).out, "1.001\n");
}

} // namespace
} // namespace lw
