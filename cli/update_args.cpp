#include "update_args.h"

namespace lw::cli {

Syntax update_syntax(bool takes_output) {
  Syntax syntax{{"CONF_DIR"},
                {{"--ip", "A.B.C.D", true}, {"--option", {}, false, {"0", "1", "2"}}, {"--no-read-back"}}};
  if (takes_output) syntax.options.push_back({"-o", "FILE"});
  return syntax;
}

std::optional<UpdateArgs> update_args(const Parsed& args, Io& io) {
  UpdateArgs out;
  out.conf_dir = args.positionals[0];
  if (!is_configuration(out.conf_dir, args, io)) return std::nullopt;
  out.conf_dir = absolute_folder(out.conf_dir);
  out.ip = args.value("--ip");
  out.option = args.value("--option", "0")[0] - '0';
  out.read_back = !args.has("--no-read-back");
  out.output = args.value("-o");
  return out;
}

} // namespace lw::cli
