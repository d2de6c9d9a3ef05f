#include "projects/project_name.h"

#include "core/portable_name.h"
#include "core/text_ids.h"
#include "platform/files.h"

namespace lw {

bool stays_in_projects(std::string_view name) {
  return name.find_first_of("/\\") == std::string_view::npos && name != "." && name != "..";
}

bool is_hidden_name(std::string_view name) { return name.starts_with('.'); }

std::optional<NameRefusal> name_rules_refusal(const std::string& name) {
  if (name.empty()) return NameRefusal::Empty;
  // A name Windows can't hold is refused here too, so a PROJECTS folder
  // copied between systems always opens.
  if (!stays_in_projects(name) || !is_portable_name(name)) return NameRefusal::NotValid;
  // A hidden one would be missing from every list of configurations.
  if (is_hidden_name(name)) return NameRefusal::NotValid;
  // Longer names no file system takes; found now, before a sheet's first
  // configuration is written, not by the rename of one in the middle.
  if (name.size() > kMaxNameBytes) return NameRefusal::NotValid;
  return std::nullopt;
}

std::optional<NameRefusal> new_name_refusal(const std::string& projects_dir, const std::string& name) {
  if (auto refusal = name_rules_refusal(name)) return refusal;
  const std::string path = fs::join(projects_dir, name);
  if (fs::is_dir(path)) return NameRefusal::FolderExists;
  // Found now rather than by the rename that would fail on it.
  if (fs::entry_kind(path) != fs::EntryKind::None) return NameRefusal::NotValid;
  return std::nullopt;
}

int refusal_message(NameRefusal refusal) {
  switch (refusal) {
  case NameRefusal::Empty: return text_id::kMsgNameEmpty;
  case NameRefusal::FolderExists: return text_id::kMsgNameFolderExists;
  case NameRefusal::NotValid: break;
  }
  return text_id::kMsgNameNotValid;
}

} // namespace lw
