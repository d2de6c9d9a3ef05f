#include "window_logic/new_project_dialog.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/ports.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "projects/configuration_from_image.h"
#include "projects/project_name.h"
#include "window_logic/startup.h"

namespace lw {

bool NewProjectLogic::Btn_OKClick(const std::string& name) {
  auto refusal = new_name_refusal(state_.Projects_Dir, name);
  std::string dir = fs::join(state_.Projects_Dir, name);
  if (!refusal && !fs::make_dir(dir)) refusal = NameRefusal::NotValid;
  if (refusal) {
    messages_.error(state_.text(refusal_message(*refusal)));
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
  if (auto refusal = new_name_refusal(state_.Projects_Dir, name))
    return refused(state_.text(refusal_message(*refusal)));
  std::string filter = state_.text(text_id::kImageFilter) + ";;" + state_.text(text_id::kDmxAllFilesFilter);
  std::string path =
      files.open_file({state_.text(text_id::kFromImagePickTitle), state_.Projects_Dir, filter});
  if (path.empty()) return false;
  ImageConfiguration made;
  try {
    made = configuration_from_image_file(path);
  } catch (const FileError& e) {
    return refused(state_.text(text_id::kMsgImageUnreadable) + "\n" + e.what());
  }
  if (made.refusal) return refused(image_refusal_text(*made.refusal, state_.Text_Table));
  try {
    if (auto refusal = place_configuration(state_.Projects_Dir, name, made.files))
      return refused(state_.text(refusal_message(*refusal)));
  } catch (const FileError& e) {
    return refused(e.what());
  }
  open(name);
  std::string warning = state_.text(text_id::kMsgMnemonicsNotRecovered);
  if (auto note = editors_refusal_note(state_.Conf_Dir, state_.Text_Table)) warning += "\n" + *note;
  messages_.warning(warning);
  return true;
}

void NewProjectLogic::open(const std::string& name) {
  state_.Conf_Name = name;
  state_.Conf_Dir = fs::join(state_.Projects_Dir, name);
  Set_Files(state_);
}

} // namespace lw
