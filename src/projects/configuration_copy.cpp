#include "projects/configuration_copy.h"

#include "core/identity.h"
#include "core/limits.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "platform/folder_aside.h"

#include <algorithm>
#include <cerrno>

namespace lw {

namespace {

// The configuration built whole in a folder aside, flushed to disk: its path.
std::string build_aside(const std::string& projects_dir, const ConfigurationFiles& files) {
  std::string aside = fs::make_folder_aside(projects_dir, kConfigurationAsidePrefix);
  try {
    std::string bin = fs::join(aside, kBinFolder);
    if (!fs::make_dir(bin)) throw FileError("Cannot write " + bin + ": " + fs::system_error_text(errno));
    const std::string sent = fs::join(kBinFolder, kSentFolder);
    for (const ConfigurationFile& file : files) {
      // bin/sent holds the images sent of an imported configuration.
      if (fs::parent_folder(file.place) == sent) fs::make_dir(fs::join(aside, sent));
      fs::write_new_file(fs::join(aside, file.place), file.bytes);
    }
    fs::sync_entries(bin);
    fs::sync_entries(aside);
  } catch (const FileError&) {
    fs::remove_folder_aside(aside);
    throw;
  }
  return aside;
}

// The configuration's own files laid over the folder where they stand; a
// place `files` leaves out loses its file, so the folder holds exactly the
// configuration given. The XML files go first and the image last, which a
// compile can make again from them.
void replace_in_place(const std::string& conf_dir, const ConfigurationFiles& files) {
  std::string bin = fs::join(conf_dir, kBinFolder);
  if (!fs::is_dir(bin) && !fs::make_dir(bin))
    throw FileError("Cannot write " + bin + ": " + fs::system_error_text(errno));
  std::vector<std::string> unused;
  for (const std::string& place : configuration_places()) {
    auto file = std::ranges::find(files, place, &ConfigurationFile::place);
    if (file != files.end())
      fs::atomic_save(fs::join(conf_dir, place), file->bytes);
    else
      unused.push_back(fs::join(conf_dir, place));
  }
  for (const std::string& path : unused)
    if (fs::entry_kind(path) == fs::EntryKind::File && !fs::remove_file(path))
      throw FileError("Cannot remove " + path + ": " + fs::system_error_text(errno));
}

void sync_names(const std::string& projects_dir) {
  try {
    fs::sync_entries(projects_dir);
  } catch (const FileError&) {
    // The configuration stands whole; only its name may not outlive a power
    // cut, which nothing here can change.
  }
}
} // namespace

ConfigurationFiles read_history(const std::string& conf_dir) {
  ConfigurationFiles files;
  // The record is only ever the configuration's own files: a link in the
  // place of one would hand on some other file as what was sent.
  // Whatever else stands there (a folder, a pipe) is read too, so its reader
  // refuses it by name: a backup that quietly left the log out would lose it.
  auto keep = [&](const std::string& place, std::size_t limit) {
    std::string path = fs::join(conf_dir, place);
    if (fs::entry_kind(path) != fs::EntryKind::None)
      files.push_back({place, fs::read_bytes(path, limit, fs::Links::Refuse)});
  };
  keep(std::string(kUpdateLogFile), kMaxUpdateLogBytes);
  const std::string bin(kBinFolder);
  fs::refuse_link("Cannot read", fs::join(conf_dir, bin));
  keep(fs::join(bin, kLastSentFile), kMaxImageBytes);
  const std::string sent = fs::join(bin, kSentFolder);
  fs::refuse_link("Cannot read", fs::join(conf_dir, sent));
  for (const fs::DirEntry& entry : fs::list_dir(fs::join(conf_dir, sent)))
    if (!entry.is_dir || entry.is_symlink) keep(fs::join(sent, entry.name), kMaxImageBytes);
  return files;
}

ConfigurationFiles read_configuration(const std::string& conf_dir) {
  require_configuration(conf_dir);
  ConfigurationFiles files;
  for (const std::string& place : configuration_places()) {
    std::string path = fs::join(conf_dir, place);
    if (fs::exists(path)) files.push_back({place, fs::read_bytes(path, kMaxCopiedBytes)});
  }
  return files;
}

std::optional<NameRefusal> place_configuration(const std::string& projects_dir, const std::string& name,
                                               const ConfigurationFiles& files) {
  if (auto refusal = new_name_refusal(projects_dir, name)) return refusal;
  std::string aside = build_aside(projects_dir, files);
  std::string target = fs::join(projects_dir, name);
  if (int err = fs::rename_into_place(aside, target); err != 0) {
    fs::remove_folder_aside(aside);
    // Taken since it was looked at, or refused as a folder name, as making
    // the folder would have refused it.
    return err == EEXIST && fs::is_dir(target) ? NameRefusal::FolderExists : NameRefusal::NotValid;
  }
  sync_names(projects_dir);
  return std::nullopt;
}

std::optional<NameRefusal> replace_configuration(const std::string& projects_dir, const std::string& name,
                                                 const ConfigurationFiles& files) {
  if (auto refusal = name_rules_refusal(name)) return refusal;
  std::string target = fs::join(projects_dir, name);
  if (fs::entry_kind(target) == fs::EntryKind::None) return place_configuration(projects_dir, name, files);
  // Looked at again: the plan may be old, and what stands may have changed.
  if (auto why = not_replaceable_reason(target)) throw FileError("Cannot replace " + target + ": " + *why);
  replace_in_place(target, files);
  return std::nullopt;
}

int remove_stale_configurations_aside(const std::string& projects_dir, int min_age_seconds) {
  const std::string_view prefixes[] = {kConfigurationAsidePrefix};
  return fs::remove_stale_folders_aside(projects_dir, prefixes, min_age_seconds);
}

std::optional<NameRefusal> duplicate_configuration(const std::string& conf_dir, const std::string& name) {
  std::string source = fs::without_trailing_separators(conf_dir);
  std::string projects_dir = fs::parent_folder(source);
  if (auto refusal = new_name_refusal(projects_dir, name)) return refusal;
  return place_configuration(projects_dir, name, read_configuration(source));
}

} // namespace lw
