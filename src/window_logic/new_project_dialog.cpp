#include "window_logic/new_project_dialog.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "core/open_configuration.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "projects/configuration_from_image.h"
#include "projects/project_name.h"

namespace lw {

bool NewProjectLogic::Btn_OKClick(const std::string& name) {
  auto refusal = new_name_refusal(folders_.Projects_Dir, name);
  std::string dir = fs::join(folders_.Projects_Dir, name);
  if (!refusal && !fs::make_dir(dir)) refusal = NameRefusal::NotValid;
  if (refusal) {
    messages_.error(catalogue_.text(refusal_message(*refusal)));
    return false;
  }
  fs::make_dirs(fs::join(dir, kBinFolder));
  open(name);
  return true;
}

bool NewProjectLogic::Btn_FromImageClick(const std::string& name, FilePicker& files) {
  auto refused = [&](const std::string& text) {
    messages_.error(text);
    return false;
  };
  if (auto refusal = new_name_refusal(folders_.Projects_Dir, name))
    return refused(catalogue_.text(refusal_message(*refusal)));
  std::string filter =
      catalogue_.text(text_id::kImageFilter) + ";;" + catalogue_.text(text_id::kDmxAllFilesFilter);
  std::string path =
      files.open_file({catalogue_.text(text_id::kFromImagePickTitle), folders_.Projects_Dir, filter});
  if (path.empty()) return false;
  ImageConfiguration made;
  try {
    made = configuration_from_image_file(path);
  } catch (const FileError& e) {
    return refused(catalogue_.text(text_id::kMsgImageUnreadable) + "\n" + e.what());
  }
  if (made.refusal) return refused(image_refusal_text(*made.refusal, catalogue_.Text_Table));
  try {
    if (auto refusal = place_configuration(folders_.Projects_Dir, name, made.files))
      return refused(catalogue_.text(refusal_message(*refusal)));
  } catch (const FileError& e) {
    return refused(e.what());
  }
  open(name);
  std::string warning = catalogue_.text(text_id::kMsgMnemonicsNotRecovered);
  if (auto note = editors_refusal_note(conf_.Conf_Dir, catalogue_.Text_Table)) warning += "\n" + *note;
  messages_.warning(warning);
  return true;
}

void NewProjectLogic::open(const std::string& name) {
  conf_ = configuration_at(name, fs::join(folders_.Projects_Dir, name));
}

} // namespace lw
