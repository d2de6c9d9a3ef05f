#include "window_logic/conf_archive.h"

#include "core/catalogue.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "platform/files.h"

namespace lw {

namespace {
std::string filter(const Catalogue& catalogue) {
  return catalogue.text(text_id::kArchiveFilter) + ";;" + catalogue.text(text_id::kDmxAllFilesFilter);
}
} // namespace

bool ConfArchiveLogic::Btn_ExportClick(const std::string& name) {
  // Proposed beside PROJECTS, where a zip is never taken for a configuration.
  std::string start = fs::join(fs::parent_folder(folders_.Projects_Dir), name + ".zip");
  std::string path =
      files_.save_file({catalogue_.text(text_id::kArchiveExportTitle), start, filter(catalogue_)});
  if (path.empty()) return false;
  try {
    export_configuration(fs::join(folders_.Projects_Dir, name), path);
  } catch (const FileError& e) {
    messages_.error(catalogue_.text(text_id::kMsgArchiveNotExported) + "\n" + e.what());
    return false;
  }
  return true;
}

ConfArchiveLogic::Import ConfArchiveLogic::Btn_ImportClick() {
  std::string path = files_.open_file({catalogue_.text(text_id::kArchiveImportTitle),
                                       fs::parent_folder(folders_.Projects_Dir), filter(catalogue_)});
  if (path.empty()) return Import::Cancelled;
  try {
    archived_ = read_configuration_archive(path);
    // A name taken, or one this system refuses, is never overwritten nor
    // bent: the user gives another.
    if (make_as(archived_.name)) return Import::NeedsName;
  } catch (const FileError& e) {
    messages_.error(catalogue_.text(text_id::kMsgArchiveNotImported) + "\n" + e.what());
    return Import::Refused;
  }
  return Import::Made;
}

std::optional<NameRefusal> ConfArchiveLogic::make_as(const std::string& name) {
  fs::make_dirs(folders_.Projects_Dir);
  auto refusal = place_configuration(folders_.Projects_Dir, name, archived_.files);
  if (!refusal) archived_.name = name;
  return refusal;
}

} // namespace lw
