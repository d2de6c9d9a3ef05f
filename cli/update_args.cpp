#include "update_args.h"

namespace lw::cli {

HandOverChoice hand_over_choice(const Parsed& args) {
  return {args.value("--option", "0")[0] - '0', !args.has("--no-read-back")};
}

UpdateArgs update_args(const Parsed& args) {
  const HandOverChoice choice = hand_over_choice(args);
  UpdateArgs out;
  out.conf_dir = absolute_folder(args.positionals[0]);
  out.ip = args.value("--ip");
  out.option = choice.option;
  out.read_back = choice.read_back;
  out.output = args.value("-o");
  return out;
}

} // namespace lw::cli
