#include "projects/configuration_folder.h"

#include "core/identity.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "projects/project_name.h"

#include <algorithm>
#include <cerrno>

namespace lw {

std::vector<std::string> configuration_places() {
  return {std::string(kParGenFile), std::string(kDmxDefaultFile), std::string(kModbusTcpmAccessFile),
          std::string(kModbusMAccessFile), fs::join(kBinFolder, kBankFile)};
}

namespace {
// The names a configuration's files and its bin folder stand under in its
// folder itself.
std::vector<std::string> top_names() {
  std::vector<std::string> names;
  for (const std::string& place : configuration_places())
    if (fs::parent_folder(place) == ".") names.push_back(place);
  names.push_back(std::string(kBinFolder));
  return names;
}

// Any entry under one of those names counts but a link: one that is no file
// (a folder named ParGen.xml, a file named bin) is then refused by the reader
// or the writer it reaches, with the system's own text, as in any
// configuration. A link proves nothing: the root of a disk holds a link named
// bin, and a write through it would land outside the folder.
bool holds_configuration(const std::string& dir) {
  return std::ranges::any_of(top_names(), [&](const std::string& name) {
    fs::EntryKind kind = fs::entry_kind(fs::join(dir, name));
    return kind != fs::EntryKind::None && kind != fs::EntryKind::Link;
  });
}

std::string nothing_held() {
  std::vector<std::string> names = top_names();
  std::string out = "no configuration there (none of ";
  for (std::size_t i = 0; i + 1 < names.size(); ++i)
    out += names[i] + (i + 2 < names.size() ? ", " : " ");
  return out + "or a " + names.back() + " folder)";
}

// Why a place of the configuration holds what a write must not replace.
std::optional<std::string> place_reason(const std::string& dir, const std::string& place,
                                        fs::EntryKind expected) {
  fs::EntryKind kind = fs::entry_kind(fs::join(dir, place));
  if (kind == fs::EntryKind::None || kind == expected) return std::nullopt;
  if (kind == fs::EntryKind::Link)
    return place + " in it is a link; a configuration's files are replaced only inside its folder";
  return place + " in it is not a " + (expected == fs::EntryKind::Folder ? "folder" : "regular file");
}
} // namespace

std::optional<std::string> not_configuration_reason(const std::string& dir) {
  switch (fs::entry_kind(fs::without_trailing_separators(dir))) {
  case fs::EntryKind::Folder: break;
  case fs::EntryKind::Link:
    if (fs::is_dir(dir)) return "a link, not a configuration's own folder";
    return fs::system_error_text(fs::exists(dir) ? ENOTDIR : ENOENT);
  case fs::EntryKind::None: return fs::system_error_text(ENOENT);
  default: return fs::system_error_text(ENOTDIR);
  }
  if (!holds_configuration(dir)) return nothing_held();
  return std::nullopt;
}

void require_configuration(const std::string& dir) {
  if (auto why = not_configuration_reason(dir)) throw FileError("Cannot open " + dir + ": " + *why);
}

std::optional<std::string> not_replaceable_reason(const std::string& dir) {
  if (auto why = not_configuration_reason(dir)) return why;
  if (auto why = place_reason(dir, std::string(kBinFolder), fs::EntryKind::Folder)) return why;
  for (const std::string& place : configuration_places())
    if (auto why = place_reason(dir, place, fs::EntryKind::File)) return why;
  return std::nullopt;
}

std::vector<SiteEntry> site_entries(const std::string& projects_dir) {
  std::vector<SiteEntry> entries;
  for (const fs::DirEntry& entry : fs::list_dir(projects_dir))
    if (entry.is_dir && !is_hidden_name(entry.name))
      entries.push_back({entry.name, not_configuration_reason(fs::join(projects_dir, entry.name))});
  std::ranges::sort(entries, {}, &SiteEntry::name);
  return entries;
}

std::vector<std::string> configuration_names(const std::string& projects_dir) {
  std::vector<std::string> names;
  for (SiteEntry& entry : site_entries(projects_dir))
    if (!entry.not_configuration) names.push_back(std::move(entry.name));
  return names;
}

} // namespace lw
