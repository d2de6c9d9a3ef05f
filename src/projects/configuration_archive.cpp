#include "projects/configuration_archive.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/portable_name.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "platform/zip_archive.h"
#include "projects/output_guard.h"
#include "projects/readable_file.h"

#include <algorithm>
#include <iterator>

namespace lw {

namespace {
constexpr zip::Limits kLimits{kMaxArchiveFileBytes, kMaxArchiveEntries, kMaxArchiveEntryBytes,
                              kMaxArchiveBytes};

// Places are joined with the system's separator; a zip always says "/".
std::string with_separator(std::string text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}
std::string entry_name(const std::string& place) { return with_separator(place, fs::kSeparator, '/'); }
std::string place_of(const std::string& entry) { return with_separator(entry, '/', fs::kSeparator); }

const std::string& sent_entry() {
  static const std::string sent = std::string(kBinFolder) + "/" + std::string(kSentFolder);
  return sent;
}

// The folders a configuration's files stand in, inside its own.
bool is_configuration_folder(const std::string& entry) {
  return entry == kBinFolder || entry == sent_entry();
}

bool is_configuration_file(const std::string& entry) {
  auto places = configuration_places();
  places.push_back(std::string(kUpdateLogFile));
  places.push_back(fs::join(kBinFolder, kLastSentFile));
  if (std::ranges::find(places, place_of(entry)) != places.end()) return true;
  // Each image sent, under the name it was kept by.
  const std::string sent = sent_entry() + "/";
  return entry.starts_with(sent) && is_portable_name(std::string_view(entry).substr(sent.size()));
}

[[noreturn]] void refuse(const std::string& zip_path, const std::string& entry, const std::string& why) {
  throw FileError("Cannot read " + zip_path + ": entry \"" + utf8::printable(entry) + "\" " + why);
}
} // namespace

ArchivedConfiguration gather_configuration(const std::string& conf_dir) {
  const std::string source = fs::without_trailing_separators(conf_dir);
  ArchivedConfiguration out{fs::file_name(source), read_configuration(source)};
  ConfigurationFiles history = read_history(source);
  out.files.insert(out.files.end(), std::make_move_iterator(history.begin()),
                   std::make_move_iterator(history.end()));
  return out;
}

void write_configuration_archive(const ArchivedConfiguration& configuration, const std::string& zip_path) {
  if (auto refusal = output_refusal(zip_path)) throw FileError(*refusal);
  const std::string& top = configuration.name;
  zip::Entries entries{{top, {}, true}, {top + "/" + std::string(kBinFolder), {}, true}};
  if (std::ranges::any_of(configuration.files, [](const ConfigurationFile& f) {
        return entry_name(f.place).starts_with(sent_entry() + "/");
      }))
    entries.push_back({top + "/" + sent_entry(), {}, true});
  for (const ConfigurationFile& file : configuration.files)
    entries.push_back({top + "/" + entry_name(file.place), file.bytes, false});
  // A zip that import would refuse is no backup: refused here instead.
  auto refused = [&](const std::string& why) { throw FileError("Cannot write " + zip_path + ": " + why); };
  if (entries.size() > kLimits.entries)
    refused("the configuration holds " + std::to_string(entries.size()) +
            " files and folders, more than the " + std::to_string(kLimits.entries) + " an import takes");
  std::size_t total = 0;
  for (const zip::Entry& entry : entries) {
    if (entry.bytes.size() > kLimits.entry_bytes)
      refused(entry.name + " is larger than the " + std::to_string(kLimits.entry_bytes >> 20) +
              " MiB an import takes for one file");
    total += entry.bytes.size();
  }
  if (total > kLimits.total_bytes)
    refused("the configuration's files are larger than the " + std::to_string(kLimits.total_bytes >> 20) +
            " MiB an import takes in all");
  for (const ConfigurationFile& file : configuration.files)
    if (auto why = unreadable_reason(file)) refused(file.place + " " + *why + ", which an import refuses");
  zip::write(zip_path, entries);
}

void export_configuration(const std::string& conf_dir, const std::string& zip_path) {
  write_configuration_archive(gather_configuration(conf_dir), zip_path);
}

ArchivedConfiguration read_configuration_archive(const std::string& zip_path) {
  zip::Entries entries = zip::read(zip_path, kLimits);
  if (entries.empty()) throw FileError("Cannot read " + zip_path + ": the archive is empty");
  ArchivedConfiguration out;
  // One folder holds it all; its name is the configuration's.
  const std::string& first = entries.front().name;
  out.name = first.substr(0, first.find('/'));
  const std::string inside = out.name + "/";
  for (zip::Entry& entry : entries) {
    if (entry.name == out.name && entry.folder) continue;
    if (entry.name.find('/') == std::string::npos)
      refuse(zip_path, entry.name, "is outside a configuration's folder");
    if (!entry.name.starts_with(inside)) refuse(zip_path, entry.name, "is outside the folder " + out.name);
    std::string rest = entry.name.substr(inside.size());
    if (entry.folder ? !is_configuration_folder(rest) : !is_configuration_file(rest))
      refuse(zip_path, entry.name, "is not a file of a configuration");
    if (!entry.folder) out.files.push_back({place_of(rest), std::move(entry.bytes)});
  }
  // What comes in is read back by the program later: a file it can't read
  // would make a configuration that can't be checked, copied or exported.
  for (const ConfigurationFile& file : out.files)
    if (auto why = unreadable_reason(file)) refuse(zip_path, out.name + "/" + entry_name(file.place), *why);
  return out;
}

std::optional<NameRefusal> import_configuration(const std::string& zip_path, const std::string& projects_dir,
                                                const std::string& name) {
  ArchivedConfiguration archived = read_configuration_archive(zip_path);
  return place_configuration(projects_dir, name.empty() ? archived.name : name, archived.files);
}

} // namespace lw
