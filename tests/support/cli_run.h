#pragma once
#include "cli.h"

#include <sstream>
#include <string>

namespace lw::test {

// One run of the companion's command line, in-process.
struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun run_cli(const std::string& exe_dir, cli::Args args) {
  std::ostringstream out, err;
  cli::Io io{out, err, exe_dir};
  int status = cli::run(args, io);
  return {status, out.str(), err.str()};
}

} // namespace lw::test
