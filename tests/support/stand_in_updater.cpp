// A stand-in for the external updater, built for each system the tests run
// on. It does what the file "stand-in" beside it says, "<exit code>
// [<milliseconds to run>]", and writes into "args" beside it how many
// arguments it was given.
#include "platform/files.h"

#include <chrono>
#include <fstream>
#include <thread>

int main(int argc, char**) {
  const std::string here = lw::fs::executable_dir();
  std::ofstream(lw::fs::join(here, "args"), std::ios::binary) << argc - 1 << "\n";
  int code = 0;
  int run_ms = 0;
  std::ifstream(lw::fs::join(here, "stand-in")) >> code >> run_ms;
  std::this_thread::sleep_for(std::chrono::milliseconds(run_ms));
  return code;
}
