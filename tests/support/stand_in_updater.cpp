// A stand-in for the external updater, built for each system the tests run
// on. It does what the file "stand-in" beside it says, "<exit code>
// [<milliseconds to run> [<address> <exit code for it>]]": a descriptor
// naming that device gets the second code. It writes into "args" beside it
// how many arguments it was given and copies the descriptor it finds beside
// it to "seen.xml".
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
  std::string failing_address;
  int failing_code = 0;
  std::ifstream(lw::fs::join(here, "stand-in")) >> code >> run_ms >> failing_address >> failing_code;
  const std::string descriptor = lw::fs::join(here, std::string(lw::kDescriptorFile));
  if (lw::fs::is_file(descriptor)) {
    const std::string seen = lw::fs::read_bytes(descriptor, 1u << 20);
    lw::fs::atomic_save(lw::fs::join(here, "seen.xml"), seen);
    if (!failing_address.empty() &&
        seen.find("<IP_Address_Dev>" + failing_address + "</IP_Address_Dev>") != std::string::npos)
      code = failing_code;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(run_ms));
  return code;
}
