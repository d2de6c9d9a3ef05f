// A stand-in for the external updater, built for each system the tests run
// on. It does what the file "stand-in" beside it says, "<exit code>
// [<milliseconds to run>]", writes into "args" beside it how many arguments
// it was given and copies the descriptor it finds beside it to "seen.xml".
#include "core/identity.h"
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
  const std::string descriptor = lw::fs::join(here, std::string(lw::kDescriptorFile));
  if (lw::fs::is_file(descriptor))
    lw::fs::atomic_save(lw::fs::join(here, "seen.xml"), lw::fs::read_bytes(descriptor, 1u << 20));
  std::this_thread::sleep_for(std::chrono::milliseconds(run_ms));
  return code;
}
