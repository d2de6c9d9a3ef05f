#pragma once
#include "cli.h"

#include <string>

namespace lw::cli {

// What every hand-over takes: [--option 0|1|2] [--no-read-back].
struct HandOverChoice {
  int option = 0;
  bool read_back = true;
};

HandOverChoice hand_over_choice(const Parsed& args);

// What the descriptor and update commands take: CONF_DIR --ip A.B.C.D
// [--option 0|1|2] [--no-read-back], and -o FILE for the descriptor.
struct UpdateArgs {
  std::string conf_dir; // a configuration folder, absolute
  std::string ip;
  int option = 0;
  bool read_back = true;
  std::string output; // only where the command takes -o
};

UpdateArgs update_args(const Parsed& args);

} // namespace lw::cli
