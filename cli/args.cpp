#include "args.h"

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
} // namespace

std::string Parsed::value(std::string_view option, std::string fallback) const {
  auto it = options.find(option);
  return it == options.end() ? fallback : it->second;
}

std::ostream& complain(std::ostream& err, std::string_view command) {
  return err << "loomwork-cli " << command << ": ";
}

std::string synopsis(std::string_view command, const Syntax& syntax) {
  std::string out(command);
  for (auto positional : syntax.positionals)
    out += " " + std::string(positional);
  for (auto positional : syntax.optional_positionals)
    out += " [" + std::string(positional) + "]";
  for (const auto& option : syntax.options) {
    std::string text(option.name);
    if (std::string value = shown_value(option); !value.empty()) text += " " + value;
    out += option.required ? " " + text : " [" + text + "]";
  }
  return out;
}

std::optional<Parsed> parse(std::string_view command, const Syntax& syntax, const Args& args,
                            std::ostream& err) {
  Parsed out{command, {}, {}};
  auto usage = [&]() -> std::optional<Parsed> {
    complain(err, command) << "usage: " << synopsis(command, syntax) << "\n";
    return std::nullopt;
  };
  if (syntax.rest_ignored) return out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto option = std::find_if(syntax.options.begin(), syntax.options.end(),
                               [&](const Option& o) { return o.name == arg; });
    if (option == syntax.options.end()) {
      if (arg.starts_with("-") ||
          out.positionals.size() == syntax.positionals.size() + syntax.optional_positionals.size())
        return usage();
      out.positionals.push_back(arg);
      continue;
    }
    // An option said twice or given an empty value is a slip, not a choice:
    // `-o ""` would quietly write the default file.
    if (out.has(arg)) return usage();
    if (shown_value(*option).empty()) {
      out.options[arg] = "";
      continue;
    }
    if (i + 1 == args.size() || args[i + 1].empty()) return usage();
    const std::string& value = args[++i];
    if (!option->allowed.empty() &&
        std::find(option->allowed.begin(), option->allowed.end(), value) == option->allowed.end()) {
      complain(err, command) << arg << " takes " << joined(option->allowed, ", ", " or ") << "\n";
      return std::nullopt;
    }
    out.options[arg] = value;
  }
  if (out.positionals.size() < syntax.positionals.size()) return usage();
  for (const auto& option : syntax.options)
    if (option.required && !out.has(option.name)) return usage();
  return out;
}

} // namespace lw::cli
