#include "program_folder.h"

#include "platform/files.h"
#include "window_logic/startup.h"

#include <filesystem>
#include <stdexcept>

namespace lw::test {

void open_configuration(AppState& state, const std::string& name) {
  if (state.Projects_Dir.empty()) throw std::logic_error("open_configuration before the start-up");
  state.Conf_Name = name;
  state.Conf_Dir = fs::join(state.Projects_Dir, name);
  std::filesystem::create_directories(fs_path(fs::join(state.Conf_Dir, "bin")));
  Set_Files(state);
}

ProgramFolder::ProgramFolder(Start when) {
  if (when == Start::now && !Run_Startup(state, dir.path(), timer).empty())
    throw std::runtime_error("the start-up in an empty folder reported a problem");
}

} // namespace lw::test
