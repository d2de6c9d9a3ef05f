#include "cli.h"
#include "platform/files.h"

#include <iostream>

int main(int argc, char** argv) {
  lw::cli::Args args(argv + 1, argv + argc);
  lw::cli::Io io{std::cout, std::cerr, lw::fs::executable_dir()};
  int status = lw::cli::run(args, io);
  std::cout.flush();
  return status;
}
