// The parts of the folders aside that are the same on every system.
#include "platform/files.h"
#include "platform/files_detail.h"
#include "platform/folder_aside.h"

#include <algorithm>

namespace lw::fs {

bool is_own_folder_aside(std::string_view name, std::string_view prefix) {
  if (!name.starts_with('.')) return false;
  name.remove_prefix(1);
  if (!name.starts_with(prefix)) return false;
  name.remove_prefix(prefix.size());
  if (!name.starts_with('-')) return false;
  name.remove_prefix(1);
  return detail::is_random_letters(name, kAsideRandomChars);
}

int remove_stale_folders_aside(const std::string& parent, std::span<const std::string_view> prefixes,
                               int min_age_seconds) {
  int removed = 0;
  for (const DirEntry& entry : list_dir(parent)) {
    if (!entry.is_dir || entry.is_symlink) continue;
    if (std::none_of(prefixes.begin(), prefixes.end(),
                     [&](std::string_view prefix) { return is_own_folder_aside(entry.name, prefix); }))
      continue;
    std::string full = join(parent, entry.name);
    auto age = detail::folder_age_seconds(full);
    if (!age || *age < min_age_seconds) continue;
    remove_folder_aside(full);
    if (entry_kind(full) == EntryKind::None) ++removed;
  }
  return removed;
}

void remove_folder_aside(const std::string& folder) {
  // Listing a link would list, and then empty, the folder it leads to.
  if (entry_kind(folder) != EntryKind::Folder) return;
  for (const DirEntry& entry : list_dir(folder)) {
    std::string path = join(folder, entry.name);
    if (entry.is_dir && !entry.is_symlink)
      remove_folder_aside(path);
    else
      detail::remove_entry_aside(path, entry.is_dir);
  }
  detail::remove_empty_folder(folder);
}

} // namespace lw::fs
