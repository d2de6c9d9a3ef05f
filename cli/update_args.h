#pragma once
#include "cli.h"

#include <optional>
#include <string>

namespace lw::cli {

// CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back] [-o FILE], shared by
// the descriptor and update commands; only descriptor takes -o.
Syntax update_syntax(bool takes_output);

struct UpdateArgs {
  std::string conf_dir; // an existing folder, absolute
  std::string ip;
  int option = 0;
  bool read_back = true;
  std::string output; // only where the command takes -o
};

// nullopt after a one-line message on stderr.
[[nodiscard]] std::optional<UpdateArgs> update_args(const Parsed& args, Io& io);

} // namespace lw::cli
