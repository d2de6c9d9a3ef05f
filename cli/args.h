#pragma once
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw::cli {

using Args = std::vector<std::string>;

// One option a command takes: a flag when it has no value, else followed by
// its value; a value outside `allowed` (when given) is refused.
struct Option {
  std::string_view name;
  std::string_view value = {};
  bool required = false;
  std::vector<std::string_view> allowed = {};
};

// What a command takes: positionals (never starting with "-"), the required
// ones and then those that may be left out, and options, in the order its
// usage line shows them.
struct Syntax {
  std::vector<std::string_view> positionals;
  std::vector<Option> options;
  bool rest_ignored = false; // whatever follows is not looked at
  std::vector<std::string_view> optional_positionals = {};
};

struct Parsed {
  std::string_view command;
  std::vector<std::string> positionals;
  std::map<std::string, std::string, std::less<>> options; // a flag maps to ""; the last value counts

  bool has(std::string_view option) const { return options.contains(option); }
  std::string value(std::string_view option, std::string fallback = {}) const;
};

// "NAME ARGS...", as the usage error and the help show it.
std::string synopsis(std::string_view command, const Syntax& syntax);

// nullopt after the one-line usage error on err.
[[nodiscard]] std::optional<Parsed> parse(std::string_view command, const Syntax& syntax, const Args& args,
                                          std::ostream& err);

// Starts a one-line complaint about an argument: "loomwork-cli CMD: ".
std::ostream& complain(std::ostream& err, std::string_view command);

} // namespace lw::cli
