#include "args.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lw::cli {
namespace {

const Syntax kSyntax{
    .positionals = {{.name = "DIR", .kind = Positional::Word, .description = "a folder"}},
    .options = {{.name = "--ip", .value = "ADDR", .description = "an address", .required = true},
                {.name = "--mode", .description = "how", .allowed = {"a", "b", "c"}},
                {.name = "--quiet", .description = "say less"},
                {.name = "-o", .value = "FILE", .description = "the output"}}};

struct ParseCase {
  const char* name;
  Args args;
  std::vector<std::string> positionals; // when it parses
  std::map<std::string, std::string, std::less<>> options;
  std::string err; // when it doesn't
};

class CliParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CliParse, DeclaredArgumentsOnly) {
  const ParseCase& c = GetParam();
  std::ostringstream err;
  auto parsed = parse("cmd", kSyntax, c.args, err);
  EXPECT_EQ(err.str(), c.err);
  ASSERT_EQ(parsed.has_value(), c.err.empty());
  if (!parsed) return;
  EXPECT_EQ(parsed->command, "cmd");
  EXPECT_EQ(parsed->positionals, c.positionals);
  EXPECT_EQ(parsed->options, c.options);
}

// A usage error says what is wrong, then the usage.
std::string why(const std::string& what) {
  return "loomwork-cli cmd: " + what + "; usage: cmd DIR --ip ADDR [--mode a|b|c] [--quiet] [-o FILE]\n";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliParse,
    testing::Values(
        ParseCase{"required_only", {"d", "--ip", "x"}, {"d"}, {{"--ip", "x"}}, ""},
        ParseCase{"any_order",
                  {"--quiet", "--ip", "x", "d", "-o", "-f"},
                  {"d"},
                  {{"--ip", "x"}, {"--quiet", ""}, {"-o", "-f"}},
                  ""},
        ParseCase{"value_given_twice", {"d", "--ip", "x", "--ip", "y"}, {}, {}, why("--ip given twice")},
        ParseCase{
            "flag_given_twice", {"d", "--ip", "x", "--quiet", "--quiet"}, {}, {}, why("--quiet given twice")},
        ParseCase{"empty_value", {"d", "--ip", "x", "-o", ""}, {}, {}, why("-o needs FILE")},
        ParseCase{
            "allowed_value", {"d", "--ip", "x", "--mode", "b"}, {"d"}, {{"--ip", "x"}, {"--mode", "b"}}, ""},
        ParseCase{"value_not_allowed",
                  {"d", "--ip", "x", "--mode", "z"},
                  {},
                  {},
                  "loomwork-cli cmd: --mode takes a, b or c\n"},
        ParseCase{"value_checked_as_it_comes",
                  {"--mode", "z", "--bogus"},
                  {},
                  {},
                  "loomwork-cli cmd: --mode takes a, b or c\n"},
        ParseCase{"missing_value", {"d", "--ip"}, {}, {}, why("--ip needs ADDR")},
        ParseCase{"missing_required_option", {"d"}, {}, {}, why("missing --ip")},
        ParseCase{"missing_positional", {"--ip", "x"}, {}, {}, why("missing DIR")},
        ParseCase{"extra_positional", {"d", "e", "--ip", "x"}, {}, {}, why("one argument too many: e")},
        ParseCase{"dash_is_never_positional", {"-d", "--ip", "x"}, {}, {}, why("unknown option -d")},
        ParseCase{"unknown_option", {"d", "--ip", "x", "--loud"}, {}, {}, why("unknown option --loud")}),
    [](const auto& info) { return std::string(info.param.name); });

// --help asks for the command's help wherever an option may stand, whatever
// else is wrong; as the value of an option it is that value.
TEST(CliParse, HelpWhereAnOptionMayStand) {
  for (const Args& args :
       {Args{"--help"}, Args{"d", "--help"}, Args{"--help", "d", "e", "f"}, Args{"--loud", "--help"},
        Args{"--mode", "z", "--help"}, Args{"-o", "f", "--help"}}) {
    std::ostringstream err;
    auto parsed = parse("cmd", kSyntax, args, err);
    ASSERT_TRUE(parsed) << args.size();
    EXPECT_TRUE(parsed->help);
    EXPECT_TRUE(parsed->positionals.empty());
    EXPECT_TRUE(parsed->options.empty());
    EXPECT_EQ(err.str(), "");
  }
  std::ostringstream err;
  auto parsed = parse("cmd", kSyntax, {"d", "--ip", "--help", "-o", "--help"}, err);
  ASSERT_TRUE(parsed) << err.str();
  EXPECT_FALSE(parsed->help);
  EXPECT_EQ(parsed->value("--ip"), "--help");
  EXPECT_EQ(parsed->value("-o"), "--help");
}

// Positionals that may be left out follow the required ones, and no more are
// taken than there are.
TEST(CliParse, OptionalPositionals) {
  const Syntax syntax{
      .positionals = {{.name = "A", .kind = Positional::Word, .description = "a"},
                      {.name = "B", .kind = Positional::Word, .description = "b", .optional = true}}};
  EXPECT_EQ(synopsis("cmd", syntax), "cmd A [B]");
  for (const Args& args : {Args{"a"}, Args{"a", "b"}}) {
    std::ostringstream err;
    auto parsed = parse("cmd", syntax, args, err);
    ASSERT_TRUE(parsed) << err.str();
    EXPECT_EQ(parsed->positionals, args);
  }
  const std::pair<Args, std::string> refused[] = {{Args{}, "missing A"},
                                                  {Args{"a", "b", "c"}, "one argument too many: c"}};
  for (const auto& [args, what] : refused) {
    std::ostringstream err;
    EXPECT_FALSE(parse("cmd", syntax, args, err));
    EXPECT_EQ(err.str(), "loomwork-cli cmd: " + what + "; usage: cmd A [B]\n");
  }
}

TEST(CliParse, RestIgnoredTakesAnything) {
  std::ostringstream err;
  auto parsed = parse("--help", Syntax{.rest_ignored = true}, {"x", "--y"}, err);
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->positionals.empty());
  EXPECT_EQ(err.str(), "");
}

TEST(CliParse, ValueWithFallback) {
  std::ostringstream err;
  auto parsed = parse("cmd", kSyntax, {"d", "--ip", "x"}, err);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->value("--ip"), "x");
  EXPECT_EQ(parsed->value("--mode", "a"), "a");
  EXPECT_FALSE(parsed->has("--quiet"));
}

} // namespace
} // namespace lw::cli
