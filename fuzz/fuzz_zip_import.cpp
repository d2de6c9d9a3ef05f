#include "formats/errors.h"
#include "fuzz_file.h"
#include "projects/configuration_archive.h"

#include <cstdlib>
#include <filesystem>

// Any bytes imported as a configuration's zip: refused whole, or made into a
// configuration that can be exported again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string zip = fuzz_file("in.zip", data, size);
  const std::filesystem::path projects = std::filesystem::path(zip).parent_path() / "PROJECTS";
  std::filesystem::remove_all(projects);
  std::filesystem::create_directory(projects);
  try {
    if (lw::import_configuration(zip, projects.string(), "Unit")) return 0;
  } catch (const lw::FileError&) {
    // Refused whole: nothing of it may stand.
    if (!std::filesystem::is_empty(projects)) std::abort();
    return 0;
  }
  try {
    lw::export_configuration((projects / "Unit").string(), (projects / "again.zip").string());
  } catch (const lw::FileError&) {
    std::abort();
  }
  return 0;
}
