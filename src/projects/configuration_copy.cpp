#include "projects/configuration_copy.h"

#include "core/identity.h"
#include "core/limits.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/folder_aside.h"

#include <cerrno>
#include <iterator>

namespace lw {

std::vector<std::string> configuration_places() {
  return {std::string(kParGenFile), std::string(kDmxDefaultFile), std::string(kModbusTcpmAccessFile),
          std::string(kModbusMAccessFile), fs::join(kBinFolder, kBankFile)};
}

namespace {

// The folder aside is named for what is being made, so one left by a power
// cut explains itself in the open dialog's list.
constexpr std::string_view kAsidePrefix = "new-configuration";

// The configuration built whole in a folder aside, flushed to disk: its path.
std::string build_aside(const std::string& projects_dir, const ConfigurationFiles& files) {
  std::string aside = fs::make_folder_aside(projects_dir, kAsidePrefix);
  try {
    std::string bin = fs::join(aside, kBinFolder);
    if (!fs::make_dir(bin)) throw FileError("Cannot write " + bin + ": " + fs::system_error_text(errno));
    const std::string sent = fs::join(kBinFolder, kSentFolder);
    for (const ConfigurationFile& file : files) {
      // bin/sent holds the images a replaced configuration hands on.
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

// What was sent to the device under this name stays with the name: a
// configuration replaced hands its update log and the images sent on to the
// one that takes its place.
ConfigurationFiles with_history(ConfigurationFiles files, const std::string& standing) {
  ConfigurationFiles history = read_history(standing);
  files.insert(files.end(), std::make_move_iterator(history.begin()), std::make_move_iterator(history.end()));
  return files;
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
  auto keep = [&](const std::string& place, std::size_t limit) {
    std::string path = fs::join(conf_dir, place);
    if (fs::is_file(path) || fs::is_link(path))
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
  if (!fs::is_dir(conf_dir))
    throw FileError("Cannot open " + conf_dir + ": " +
                    fs::system_error_text(fs::exists(conf_dir) ? ENOTDIR : ENOENT));
  ConfigurationFiles files;
  for (const std::string& place : configuration_places()) {
    std::string path = fs::join(conf_dir, place);
    if (fs::exists(path)) files.push_back({place, fs::read_bytes(path, kMaxCopiedBytes)});
  }
  // A configuration has its bin folder from the moment it is made, and its
  // files as they are saved; a folder with neither is some other folder.
  if (files.empty() && !fs::is_dir(fs::join(conf_dir, kBinFolder)))
    throw FileError("Cannot open " + conf_dir + ": no configuration there (neither " +
                    std::string(kParGenFile) + " nor " + std::string(kBinFolder) + ")");
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
  auto refusal = new_name_refusal(projects_dir, name);
  if (refusal != NameRefusal::FolderExists) return place_configuration(projects_dir, name, files);
  std::string target = fs::join(projects_dir, name);
  std::string aside = build_aside(projects_dir, with_history(files, target));
  if (int err = fs::exchange_folders(aside, target); err != 0) {
    fs::remove_folder_aside(aside);
    throw FileError("Cannot replace " + target + ": " + fs::system_error_text(err));
  }
  // The aside now holds the configuration replaced, gone only now that the
  // new one stands.
  fs::remove_folder_aside(aside);
  sync_names(projects_dir);
  return std::nullopt;
}

std::optional<NameRefusal> duplicate_configuration(const std::string& conf_dir, const std::string& name) {
  std::string source = fs::without_trailing_separators(conf_dir);
  std::string projects_dir = fs::parent_folder(source);
  if (auto refusal = new_name_refusal(projects_dir, name)) return refusal;
  return place_configuration(projects_dir, name, read_configuration(source));
}

} // namespace lw
