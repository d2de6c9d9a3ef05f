#include "cli.h"

namespace lw::cli {

namespace {
// What a line explains starts in this column; a longer left side puts it on
// the next line.
constexpr std::size_t kTextColumn = 28;

std::string help_line(const std::string& left, std::string_view text) {
  std::string line = "  " + left;
  if (line.size() + 2 <= kTextColumn)
    line.resize(kTextColumn, ' ');
  else
    line += "\n" + std::string(kTextColumn, ' ');
  return line + std::string(text) + "\n";
}
} // namespace

std::string help_text() {
  std::string out = "usage: loomwork-cli COMMAND [ARGS]\n"
                    "\n"
                    "Headless companion of the Loomwork configurator.\n"
                    "\n"
                    "commands:\n";
  for (const auto& command : commands())
    out += help_line(synopsis(command.name, command.syntax), command.summary);
  return out;
}

std::string command_help(const Command& command) {
  const Syntax& syntax = command.syntax;
  std::string out =
      "usage: loomwork-cli " + synopsis(command.name, syntax) + "\n\n" + std::string(command.summary) + "\n";
  if (!syntax.positionals.empty()) out += "\narguments:\n";
  for (const Positional& positional : syntax.positionals)
    out += help_line(std::string(positional.name), positional.description);
  if (!syntax.options.empty()) out += "\noptions:\n";
  for (const Option& option : syntax.options)
    out += help_line(option_text(option), option.description);
  return out;
}

} // namespace lw::cli
