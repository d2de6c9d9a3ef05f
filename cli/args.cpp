#include "args.h"

#include "formats/utf8.h"

#include <algorithm>
#include <ostream>

namespace lw::cli {

namespace {
std::string joined(const std::vector<std::string_view>& values, std::string_view separator,
                   std::string_view last_separator) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += i + 1 == values.size() ? last_separator : separator;
    out += values[i];
  }
  return out;
}

// What the usage line shows for the option's value; empty for a flag.
std::string shown_value(const Option& option) {
  return option.allowed.empty() ? std::string(option.value) : joined(option.allowed, "|", "|");
}

const Option* option_named(const Syntax& syntax, std::string_view name) {
  auto it = std::ranges::find(syntax.options, name, &Option::name);
  return it == syntax.options.end() ? nullptr : &*it;
}

std::size_t required_positionals(const Syntax& syntax) {
  return static_cast<std::size_t>(std::ranges::count(syntax.positionals, false, &Positional::optional));
}

// --help where an option may stand asks for the help whatever else is
// wrong; after an option taking a value it is that value.
bool asks_help(const Syntax& syntax, const Args& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == kHelpOption) return true;
    const Option* option = option_named(syntax, args[i]);
    if (option && !shown_value(*option).empty()) ++i;
  }
  return false;
}
} // namespace

std::string Parsed::value(std::string_view option, std::string fallback) const {
  auto it = options.find(option);
  return it == options.end() ? fallback : it->second;
}

std::ostream& complain(std::ostream& err, std::string_view command) {
  return err << "loomwork-cli " << command << ": ";
}

std::string option_text(const Option& option) {
  std::string text(option.name);
  if (std::string value = shown_value(option); !value.empty()) text += " " + value;
  return text;
}

std::string synopsis(std::string_view command, const Syntax& syntax) {
  std::string out(command);
  for (const auto& positional : syntax.positionals)
    out +=
        positional.optional ? " [" + std::string(positional.name) + "]" : " " + std::string(positional.name);
  for (const auto& option : syntax.options)
    out += option.required ? " " + option_text(option) : " [" + option_text(option) + "]";
  return out;
}

std::optional<Parsed> parse(std::string_view command, const Syntax& syntax, const Args& args,
                            std::ostream& err) {
  Parsed out{command, {}, {}};
  // Says what is wrong before the usage, on the one line, so a slip in a
  // long command line is found without comparing it word by word.
  auto usage = [&](const std::string& why) -> std::optional<Parsed> {
    complain(err, command) << utf8::printable(why) << "; usage: " << synopsis(command, syntax) << "\n";
    return std::nullopt;
  };
  if (syntax.rest_ignored) return out;
  if (asks_help(syntax, args)) {
    out.help = true;
    return out;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const Option* option = option_named(syntax, arg);
    if (!option) {
      if (arg.starts_with("-")) return usage("unknown option " + arg);
      if (out.positionals.size() == syntax.positionals.size()) return usage("one argument too many: " + arg);
      out.positionals.push_back(arg);
      continue;
    }
    // An option said twice or given an empty value is a slip, not a choice:
    // `-o ""` would quietly write the default file.
    if (out.has(arg)) return usage(arg + " given twice");
    if (shown_value(*option).empty()) {
      out.options[arg] = "";
      continue;
    }
    if (i + 1 == args.size() || args[i + 1].empty()) return usage(arg + " needs " + shown_value(*option));
    const std::string& value = args[++i];
    if (!option->allowed.empty() && std::ranges::find(option->allowed, value) == option->allowed.end()) {
      complain(err, command) << arg << " takes " << joined(option->allowed, ", ", " or ") << "\n";
      return std::nullopt;
    }
    out.options[arg] = value;
  }
  if (out.positionals.size() < required_positionals(syntax))
    return usage("missing " + std::string(syntax.positionals[out.positionals.size()].name));
  for (const auto& option : syntax.options)
    if (option.required && !out.has(option.name)) return usage("missing " + std::string(option.name));
  return out;
}

} // namespace lw::cli
