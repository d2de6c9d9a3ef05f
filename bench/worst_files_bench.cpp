// The worst file of each reader within its size limit, read by the reader
// probe in a process of its own: its time and peak memory beside the floor,
// the same files only read. Each file is the worst of several tried: the
// parsers cost most in nodes (an empty element and a one-letter text,
// alternating, give the most per byte), and text that widens when decoded
// (Latin-1 or Windows-1252 to UTF-8, bytes invalid in UTF-8) costs memory
// twice, once in the parser's copy and once in what is kept of it.
#include "core/limits.h"
#include "formats/csv.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/xml.h"
#include "repeated.h"
#include "temp_dir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <initializer_list>
#include <map>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace std::string_literals;

// The most nodes per byte: a one-letter text after each empty element is a
// node of its own that no '<' pays for.
constexpr std::string_view kNodePair = "<a/>x";
constexpr std::string_view kLatin1Declaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
constexpr char kLatin1Wide = '\xE9'; // two bytes in UTF-8

using lw::test::repeated;

// head, then as many units as fit before tail within size bytes.
std::string filled(std::string_view head, std::string_view unit, std::string_view tail, std::size_t size) {
  return std::string(head) + repeated(unit, (size - head.size() - tail.size()) / unit.size()) +
         std::string(tail);
}

// As many node pairs as the XML reader's bound leaves beside the other parts,
// counted as the reader counts them, the parts together in their order.
std::string spare_nodes(std::initializer_list<std::string_view> others) {
  std::string together;
  for (auto part : others)
    together += part;
  std::size_t used = lw::xml::markup_count(together);
  return repeated(kNodePair, (lw::xml::kMaxMarkup - used) / lw::xml::markup_count(kNodePair));
}

std::string settings_file() {
  constexpr std::string_view values =
      "<lastproj><projectname>p</projectname></lastproj><lastipadd><ipaddress>192.168.2.205</ipaddress>"
      "</lastipadd><lastlang><language>English</language></lastlang><lastinternet><enable_internet>1"
      "</enable_internet><enable_update>1</enable_update><enable_jump_field_tables>1"
      "</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>";
  // The values last: each one looked up passes every node first.
  constexpr std::string_view open = "<Conf_Settings>", close = "</Conf_Settings>";
  return std::string(open) + spare_nodes({open, values, close}) + std::string(values) + std::string(close);
}

std::string par_gen_file() {
  std::string values;
  for (const auto& f : lw::par_gen_fields())
    values += "<"s + f.element + ">1</" + f.element + ">";
  constexpr std::string_view open = "<Par_Gen>", close = "</Par_Gen>";
  return std::string(open) + spare_nodes({open, values, close}) + values + std::string(close);
}

constexpr std::string_view kLanguageHead = "//VERSION bench\r\n";

std::string language_giant_entry() {
  // Each byte becomes the three of U+FFFD.
  return filled("\xEF\xBB\xBF"s + std::string(kLanguageHead) + "STR1 = ", "\xFF", "\r\n",
                lw::kMaxLanguageBytes);
}

std::string language_entries_cut() {
  // Each byte becomes the three of the euro sign; every entry is cut.
  return filled(kLanguageHead, "STR1 = " + std::string(2001, '\x80') + "\r\n", "", lw::kMaxLanguageBytes);
}

constexpr std::string_view kDmxOpen = "<DMX_Default_Values>";
constexpr std::string_view kDmxClose = "</DMX_Default_Values>";

std::string dmx_rows() {
  constexpr std::string_view row_head = "<Row Default_Value=\"255\" Mnemonic=\"";
  constexpr std::string_view row_tail = "\"/>\n";
  auto channels = static_cast<std::size_t>(lw::kMaxDmxChannels);
  std::size_t per_row = (lw::kMaxDmxDefaultBytes - kDmxOpen.size() - kDmxClose.size()) / channels;
  std::string row = std::string(row_head) + std::string(per_row - row_head.size() - row_tail.size(), 'M') +
                    std::string(row_tail);
  return std::string(kDmxOpen) + repeated(row, channels) + std::string(kDmxClose);
}

std::string dmx_empty_elements() { return filled(kDmxOpen, "<a/>", kDmxClose, lw::kMaxDmxDefaultBytes); }

std::string dmx_most_nodes_one_mnemonic() {
  // The editor keeps a copy of the mnemonic, twice as long as in the file.
  std::string head = std::string(kLatin1Declaration) + std::string(kDmxOpen) + "<R Mnemonic=\"";
  constexpr std::string_view mnemonic_end = "\"/>";
  std::string rest =
      std::string(mnemonic_end) + spare_nodes({head, mnemonic_end, kDmxClose}) + std::string(kDmxClose);
  return head + std::string(lw::kMaxDmxDefaultBytes - head.size() - rest.size(), kLatin1Wide) + rest;
}

std::string dmx_most_nodes() {
  // The compiler keeps nothing of the text, only the parser's copy of it.
  std::string head = std::string(kLatin1Declaration) + std::string(kDmxOpen) +
                     spare_nodes({kLatin1Declaration, kDmxOpen, kDmxClose});
  return head + std::string(lw::kMaxDmxDefaultBytes - head.size() - kDmxClose.size(), kLatin1Wide) +
         std::string(kDmxClose);
}

// The sheets: a field costs a string while its record is read, a record of
// the site sheet is kept until every row is checked, and a line beyond what
// a sheet can hold is read to tell it from the end.
std::string lines_of(std::string_view line) { return filled("", line, "", lw::kMaxCsvBytes); }

std::string channel_sheet_x_lines() { return lines_of("x\n"); }
std::string sheet_of_commas() { return std::string(lw::kMaxCsvBytes - 1, ',') + "\n"; }
std::string channel_sheet_blank_rows() { return filled("Channel,Value\n", ",\n", "", lw::kMaxCsvBytes); }

std::string channel_sheet_most_fields() {
  // Every channel with a mnemonic at the cap, and as many one-letter fields
  // of other columns as the limit leaves room for on each row.
  const std::size_t channels = lw::kMaxDmxChannels;
  const std::size_t room = lw::kMaxCsvBytes / (channels + 1);
  const std::size_t fixed =
      std::to_string(channels).size() + std::string_view(",255,").size() + lw::kMaxMnemonicChars + 1;
  const std::string others = repeated(",y", std::min((room - fixed) / 2, lw::csv::kMaxFields - 3));
  std::string sheet = "Channel,Value,Mnemonic" + others + "\n";
  for (std::size_t i = 1; i <= channels; ++i)
    sheet += std::to_string(i) + ",255," + std::string(lw::kMaxMnemonicChars, 'm') + others + "\n";
  return sheet;
}

std::string channel_sheet_one_giant_field() {
  return filled("Channel,Value,Mnemonic\n1,255,\"", "m", "\"\n", lw::kMaxCsvBytes);
}

std::string site_sheet_x_lines() { return lines_of("x\n"); }
std::string site_sheet_past_the_units() { return filled("Name\n", "Hall\n", "", lw::kMaxCsvBytes); }

std::string site_sheet_all_units() {
  // Every unit with every column the sheet knows.
  std::string sheet =
      "Name,IP,Mask,Gateway,ModbusID,Channels,DMX_DMX,DMX_END_LINE_RES,MODBUS_SLAVE_SERIAL,"
      "MODBUS_SLAVE_BAUDRATE,MODBUS_SLAVE_PARITY,MODBUS_SLAVE_STOPBITS,MODBUS_SLAVE_DMX_MAP\n";
  for (std::size_t i = 0; i < lw::kMaxSiteUnits; ++i)
    sheet += "Unit " + std::to_string(i) + ",10." + std::to_string(i / 250) + "." + std::to_string(i % 250) +
             ".2,255.255.0.0,10.0.0.1," + std::to_string(1 + i % 247) +
             ",512,OUT,1,RS485,115200,NONE,1 Stop Bits,1\n";
  return sheet;
}

std::string site_sheet_most_kept() {
  // The most the reader keeps: the largest number of units, each row of the
  // most fields, the file's bytes shared among them.
  const std::size_t fields = lw::csv::kMaxFields;
  const std::size_t field_bytes = lw::kMaxCsvBytes / (lw::kMaxSiteUnits + 1) / fields - 1;
  std::string sheet = "Name" + repeated(",x", fields - 1) + "\n";
  for (std::size_t i = 0; i < lw::kMaxSiteUnits; ++i)
    sheet += std::to_string(i) + repeated("," + std::string(field_bytes, 'v'), fields - 1) + "\n";
  return sheet;
}

std::string image_file() {
  std::string out(lw::kMaxImageBytes, '\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(i * 37 + 11); // no two neighbours alike
  return out;
}

struct WorstFile {
  std::string what;
  const char* reader;                      // the probe's name for it
  std::vector<std::string (*)()> contents; // one per file the reader takes
  bool accepted;
};

const std::vector<WorstFile> kWorstFiles = {
    {"settings (1 MiB of nodes, the values last)", "settings", {settings_file}, true},
    {"language file (one 4 MiB entry, invalid UTF-8)", "language", {language_giant_entry}, true},
    {"language file (4 MiB of entries past the cut)", "language", {language_entries_cut}, true},
    {"ParGen (1 MiB of nodes, the values last)", "pargen", {par_gen_file}, true},
    {"DMX defaults (65535 rows, 16 MiB of mnemonics)", "dmx", {dmx_rows}, true},
    {"DMX defaults (16 MiB of empty elements, refused)", "dmx", {dmx_empty_elements}, false},
    {"DMX defaults (most nodes, one Latin-1 mnemonic)", "dmx", {dmx_most_nodes_one_mnemonic}, true},
    {"image compiler (both files of the most nodes)", "compile", {par_gen_file, dmx_most_nodes}, true},
    {"channel sheet (65535 channels, 16 MiB of fields)", "channel-sheet", {channel_sheet_most_fields}, true},
    {"channel sheet (one field of 16 MiB, refused)", "channel-sheet", {channel_sheet_one_giant_field}, false},
    {"channel sheet (16 MiB of blank rows)", "channel-sheet", {channel_sheet_blank_rows}, true},
    {"channel sheet (16 MiB of x lines, refused)", "channel-sheet", {channel_sheet_x_lines}, false},
    {"channel sheet (16 MiB of commas, refused)", "channel-sheet", {sheet_of_commas}, false},
    {"site sheet (5000 units, every column)", "site-sheet", {site_sheet_all_units}, true},
    {"site sheet (5000 rows of the most fields, refused)", "site-sheet", {site_sheet_most_kept}, false},
    {"site sheet (16 MiB of units past 5000, refused)", "site-sheet", {site_sheet_past_the_units}, false},
    {"site sheet (16 MiB of x lines, refused)", "site-sheet", {site_sheet_x_lines}, false},
    {"site sheet (16 MiB of commas, refused)", "site-sheet", {sheet_of_commas}, false},
    {"inspect (1 MiB image)", "inspect", {image_file}, true},
};

// Each file is written once, on first use, and removed at the end.
const std::vector<std::string>& paths_of(const WorstFile& file) {
  static lw::test::TempDir folder;
  static std::map<const WorstFile*, std::vector<std::string>> written;
  auto& paths = written[&file];
  if (paths.empty()) {
    for (auto contents : file.contents) {
      paths.push_back(folder.file(std::to_string(written.size()) + "-" + std::to_string(paths.size())));
      lw::test::write_file(paths.back(), contents());
    }
  }
  return paths;
}

struct ProbeRun {
  bool ended_well = false;
  std::string outcome; // "accepted" or "refused"
  long peak_kib = 0;
};

ProbeRun run_probe_once(std::vector<std::string> args) {
  args.insert(args.begin(), LOOMWORK_READER_PROBE);
  std::vector<char*> argv;
  for (auto& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid = 0;
  int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string text;
  char buf[256];
  for (ssize_t n; spawned == 0 && (n = ::read(out[0], buf, sizeof buf)) > 0;)
    text.append(buf, static_cast<std::size_t>(n));
  ::close(out[0]);
  ProbeRun run;
  int status = 0;
  if (spawned != 0 || ::waitpid(pid, &status, 0) != pid) return run;
  std::istringstream words(text);
  std::string label;
  words >> run.outcome >> label >> run.peak_kib;
  run.ended_well = WIFEXITED(status) && WEXITSTATUS(status) == 0 && label == "peak_kib";
  return run;
}

// The whole run of the probe, from spawning it to its end, and its own peak
// resident memory (the kernel's figure for a child also holds this process's).
void read_worst(benchmark::State& st, const WorstFile& file, const char* reader, bool accepted) {
  std::vector<std::string> args = {reader};
  for (const auto& p : paths_of(file))
    args.push_back(p);
  long peak_kib = 0;
  for (auto _ : st) {
    auto start = std::chrono::steady_clock::now();
    ProbeRun run = run_probe_once(args);
    st.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!run.ended_well) {
      st.SkipWithError("the probe failed");
      break;
    }
    if ((run.outcome == "accepted") != accepted) {
      st.SkipWithError(("the reader " + run.outcome + " the file").c_str());
      break;
    }
    peak_kib = std::max(peak_kib, run.peak_kib);
  }
  st.counters["peak_kib"] = static_cast<double>(peak_kib);
}

// A few runs each are enough: a run takes milliseconds to a few tenths of a second.
constexpr double kMinSeconds = 0.2;

[[maybe_unused]] const bool kRegistered = [] {
  for (const auto& file : kWorstFiles) {
    std::string name = "worst file: " + file.what;
    benchmark::RegisterBenchmark(
        name.c_str(), [&file](benchmark::State& st) { read_worst(st, file, file.reader, file.accepted); })
        ->UseManualTime()
        ->MinTime(kMinSeconds)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/floor").c_str(),
                                 [&file](benchmark::State& st) { read_worst(st, file, "bytes", true); })
        ->UseManualTime()
        ->MinTime(kMinSeconds)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

} // namespace
