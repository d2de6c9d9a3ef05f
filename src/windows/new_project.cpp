#include "windows/new_project.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/ports.h"
#include "platform/files.h"
#include "projects/project_name.h"
#include "windows/startup.h"

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
  state_.Conf_Name = name;
  state_.Conf_Dir = dir;
  Set_Files(state_);
  return true;
}

} // namespace lw
