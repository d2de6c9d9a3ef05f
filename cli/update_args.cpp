#include "update_args.h"

namespace lw::cli {

UpdateArgs update_args(const Parsed& args) {
  UpdateArgs out;
  out.conf_dir = absolute_folder(args.positionals[0]);
  out.ip = args.value("--ip");
  out.option = args.value("--option", "0")[0] - '0';
  out.read_back = !args.has("--no-read-back");
  out.output = args.value("-o");
  return out;
}

} // namespace lw::cli
