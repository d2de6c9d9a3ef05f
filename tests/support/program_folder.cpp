#include "program_folder.h"

#include "core/identity.h"
#include "platform/files.h"
#include "window_logic/startup.h"

#include <filesystem>
#include <stdexcept>

namespace lw::test {

OpenConfiguration made_configuration(const ProgramFolders& folders, const std::string& name) {
  OpenConfiguration conf = configuration_at(name, fs::join(folders.Projects_Dir, name));
  std::filesystem::create_directories(fs_path(fs::join(conf.Conf_Dir, "bin")));
  return conf;
}

Catalogue english_catalogue() {
  Catalogue catalogue;
  catalogue.Text_Table.Fill_English_Texts();
  catalogue.Language_Version = std::string(kNoLanguageVersion);
  catalogue.Texts_Language = std::string(kDefaultLanguage);
  return catalogue;
}

ProgramFolder::ProgramFolder(Start when) : folders(program_folders(dir.path())) {
  if (when == Start::later) return;
  Started started = Run_Startup(folders, timer);
  if (!started.problems.empty())
    throw std::runtime_error("the start-up in an empty folder reported a problem");
  settings = std::move(started.settings);
  conf = std::move(started.conf);
  catalogue = std::move(started.catalogue);
}

} // namespace lw::test
