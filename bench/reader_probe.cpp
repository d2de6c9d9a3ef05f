// Reads one file with one of the program's readers, then ends, so the
// benchmark can time a whole read in a process of its own and take its peak
// memory. "bytes" only reads the files: the floor of any reader.
//
// Prints "accepted" or "refused" and the process's own peak resident memory
// ("peak_kib N"). The kernel's ru_maxrss of a child also holds its parent's
// peak from before the exec, so only the probe can tell its own.
//
// Exits 0 whether the reader accepted the file or refused it, 2 on wrong
// arguments, 3 when the reader failed in a way no reader should.
#include "core/limits.h"
#include "core/text_table.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "image/inspect.h"
#include "languages/language_file.h"
#include "options/settings_file.h"
#include "params/dmx_csv.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "site/site_sheet.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Files = std::vector<std::string>;
// True when the reader accepted the file; refusals are FileError or false.
using Reader = std::function<bool(const Files&)>;

// Every file the program reads is at most this large.
constexpr std::size_t kAnyFileBytes = lw::kMaxDmxDefaultBytes;

const std::map<std::string, std::pair<std::size_t, Reader>>& readers() {
  static const std::map<std::string, std::pair<std::size_t, Reader>> all = {
      {"bytes",
       {0,
        [](const Files& files) {
          std::size_t total = 0;
          for (const auto& f : files)
            total += lw::fs::read_bytes(f, kAnyFileBytes).size();
          return total > 0;
        }}},
      {"settings", {1, [](const Files& files) { return !lw::read_settings_file(files[0]).problem; }}},
      {"language",
       {1,
        [](const Files& files) {
          lw::TextTable table;
          table.Fill_English_Texts();
          // A refused file leaves the version as it was; an entry
          // cut short gives a warning, yet the file was read.
          std::string version = "-";
          auto message = lw::Read_Language_File(files[0], table, version);
          return !message || version != "-";
        }}},
      {"pargen",
       {1,
        [](const Files& files) {
          lw::Load_Par_Gen(files[0]);
          return true;
        }}},
      {"dmx",
       {1,
        [](const Files& files) {
          return lw::Load_DMX_Defaults(files[0], lw::kMaxDmxChannels).size() ==
                 static_cast<std::size_t>(lw::kMaxDmxChannels);
        }}},
      {"compile",
       {2,
        [](const Files& files) {
          lw::image::ImageCompiler compiler;
          compiler.Compile_Image(files[0], files[1]);
          return compiler.Image_Size > 0;
        }}},
      {"channel-sheet",
       {1,
        [](const Files& files) {
          const lw::DMX_Def_Table table(lw::kMaxDmxChannels);
          return lw::import_dmx_csv(lw::fs::read_bytes(files[0], lw::kMaxCsvBytes), table, files[0]).size() ==
                 table.size();
        }}},
      {"site-sheet",
       {1,
        [](const Files& files) {
          lw::TextTable texts;
          texts.Fill_English_Texts();
          auto sheet = lw::read_site_sheet(lw::fs::read_bytes(files[0], lw::kMaxCsvBytes), lw::Par_Gen_Set(),
                                           texts, files[0]);
          return sheet.problems.empty();
        }}},
      {"inspect",
       {1,
        [](const Files& files) {
          auto in = lw::image::inspect(lw::fs::read_bytes(files[0], lw::kMaxImageBytes));
          return !lw::image::inspection_text(in).empty();
        }}},
  };
  return all;
}

long own_peak_kib() {
  std::ifstream status("/proc/self/status");
  std::string word;
  long kib = -1;
  while (status >> word)
    if (word == "VmHWM:" && status >> kib) break;
  return kib;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: %s bytes|settings|language|pargen|dmx|compile|channel-sheet|site-sheet|inspect FILE...\n",
        argv[0]);
    return 2;
  }
  auto found = readers().find(argv[1]);
  Files files(argv + 2, argv + argc);
  if (found == readers().end() || (found->second.first != 0 && files.size() != found->second.first)) {
    std::fprintf(stderr, "%s: unknown reader or wrong number of files\n", argv[0]);
    return 2;
  }
  bool accepted = false;
  try {
    accepted = found->second.second(files);
  } catch (const lw::FileError&) {
    accepted = false;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 3;
  }
  std::printf("%s\npeak_kib %ld\n", accepted ? "accepted" : "refused", own_peak_kib());
  return 0;
}
