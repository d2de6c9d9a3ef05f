#include "cli.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"

#include <ostream>

namespace lw::cli {

namespace {
bool is_folder(const std::string& dir, const Parsed& args, const Io& io) {
  if (fs::is_dir(dir)) return true;
  complain(io.err, args.command) << utf8::printable(dir) << " is not a folder\n";
  return false;
}

// What is no folder at all is said so; a folder that is no configuration's
// is refused with the reason the one rule of what a configuration is gives.
bool is_configuration(const std::string& dir, const Parsed& args, const Io& io) {
  if (!is_folder(dir, args, io)) return false;
  if (auto why = not_configuration_reason(dir)) {
    complain(io.err, args.command) << utf8::printable(dir) << ": " << *why << "\n";
    return false;
  }
  return true;
}

// A configuration given where its folder of configurations is meant would
// have configurations made, listed or replaced inside it.
bool is_projects(const std::string& dir, const Parsed& args, const Io& io) {
  if (!is_folder(dir, args, io)) return false;
  if (!not_configuration_reason(dir)) {
    complain(io.err, args.command) << utf8::printable(dir)
                                   << " is a configuration, not a folder of configurations\n";
    return false;
  }
  return true;
}

bool passes(Positional::Kind kind, const std::string& value, const Parsed& args, const Io& io) {
  switch (kind) {
  case Positional::Configuration: return is_configuration(value, args, io);
  case Positional::Projects: return is_projects(value, args, io);
  case Positional::Word:
  case Positional::Input: return true;
  }
  return true;
}
} // namespace

bool check_positionals(const Syntax& syntax, Parsed& args, const Io& io) {
  for (std::size_t i = 0; i < syntax.positionals.size(); ++i) {
    const Positional& positional = syntax.positionals[i];
    if (i == args.positionals.size()) {
      if (positional.kind != Positional::Projects) break;
      args.positionals.push_back(projects_beside(io));
    }
    if (!passes(positional.kind, args.positionals[i], args, io)) return false;
  }
  for (const Option& option : syntax.options)
    if (args.has(option.name) && !passes(option.kind, args.value(option.name), args, io)) return false;
  return true;
}

} // namespace lw::cli
