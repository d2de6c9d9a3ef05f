#include "windows/new_project.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/ports.h"
#include "core/text_ids.h"
#include "platform/files.h"
#include "projects/project_name.h"
#include "windows/startup.h"

namespace lw {

bool NewProjectLogic::Btn_OKClick(const std::string& name) {
  if (name.empty()) {
    messages_.error(state_.text(text_id::kMsgNameEmpty));
    return false;
  }
  std::string dir = fs::join(state_.Projects_Dir, name);
  if (stays_in_projects(name) && fs::is_dir(dir)) {
    messages_.error(state_.text(text_id::kMsgNameFolderExists));
    return false;
  }
  if (!stays_in_projects(name) || !fs::make_dir(dir)) {
    messages_.error(state_.text(text_id::kMsgNameNotValid));
    return false;
  }
  fs::make_dirs(fs::join(dir, kBinFolder));
  state_.Conf_Name = name;
  state_.Conf_Dir = dir;
  Set_Files(state_);
  return true;
}

} // namespace lw
