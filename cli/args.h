#pragma once
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw::cli {

using Args = std::vector<std::string>;

struct Positional {
  // What it names, and so what is checked before its command runs.
  enum Kind {
    Word,          // a name or a value the command weighs itself
    Input,         // something the command reads; its reader checks it and says why not
    Configuration, // a configuration folder
    Projects,      // a folder of configurations; left out, the PROJECTS beside the program
  };

  std::string_view name;
  Kind kind;
  std::string_view description; // one line for the command's help
  bool optional = false;        // only after the required ones
};

// One option a command takes: a flag when it has no value, else followed by
// its value; a value outside `allowed` (when given) is refused.
struct Option {
  std::string_view name;
  std::string_view value = {};
  std::string_view description = {}; // one line for the command's help
  bool required = false;
  std::vector<std::string_view> allowed = {};
  // What its value names, checked as a positional of that kind is.
  Positional::Kind kind = Positional::Word;
};

// What a command takes: positionals (never starting with "-") and options,
// in the order its usage line shows them.
struct Syntax {
  std::vector<Positional> positionals = {};
  std::vector<Option> options = {};
  bool rest_ignored = false; // whatever follows is not looked at
};

// An option after the command that asks for its help, where an option may
// stand; never the value of another option.
inline constexpr std::string_view kHelpOption = "--help";

struct Parsed {
  std::string_view command;
  std::vector<std::string> positionals;
  // A flag maps to ""; an option said twice is refused, so each has one value.
  std::map<std::string, std::string, std::less<>> options;
  bool help = false; // the command's help was asked for; nothing else was looked at

  bool has(std::string_view option) const { return options.contains(option); }
  std::string value(std::string_view option, std::string fallback = {}) const;
};

// "NAME ARGS...", as the usage error and the help show it.
std::string synopsis(std::string_view command, const Syntax& syntax);
// "-o FILE", "--option 0|1|2" or "--json", as the usage line shows it.
std::string option_text(const Option& option);

// nullopt after the one-line usage error on err.
[[nodiscard]] std::optional<Parsed> parse(std::string_view command, const Syntax& syntax, const Args& args,
                                          std::ostream& err);

// Starts a one-line complaint about an argument: "loomwork-cli CMD: ".
std::ostream& complain(std::ostream& err, std::string_view command);

} // namespace lw::cli
