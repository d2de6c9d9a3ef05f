#include "projects/new_project.h"

#include "app/app_state.h"
#include "app/identity.h"
#include "app/ports.h"
#include "app/startup.h"
#include "platform/files.h"
#include "projects/project_name.h"

namespace lw {

bool NewProjectLogic::Btn_OKClick(const std::string& name) {
  if (name.empty()) {
    messages_.error(state_.text(107));
    return false;
  }
  std::string dir = fs::join(state_.Projects_Dir, name);
  if (stays_in_projects(name) && fs::is_dir(dir)) {
    messages_.error(state_.text(106));
    return false;
  }
  if (!stays_in_projects(name) || !fs::make_dir(dir)) {
    messages_.error(state_.text(105));
    return false;
  }
  fs::make_dirs(fs::join(dir, kBinFolder));
  state_.Conf_Name = name;
  state_.Conf_Dir = dir;
  Set_Files(state_);
  return true;
}

} // namespace lw
