#pragma once
#include "core/catalogue.h"
#include "core/open_configuration.h"
#include "core/program_folders.h"
#include "fakes.h"
#include "options/settings.h"
#include "temp_dir.h"

#include <string>

namespace lw::test {

// The configuration `name` as creating it leaves it: its folder under
// Projects_Dir with an empty bin folder, open with its files named.
OpenConfiguration made_configuration(const ProgramFolders& folders, const std::string& name);

// The built-in English catalogue, as the start-up loads it where LANGUAGE
// holds no language file.
Catalogue english_catalogue();

// A fresh folder of the executable with fake message boxes and timer, and
// the parts side by side as the program holds them; tests hand a logic only
// the parts it takes, and a test that needs one part alone builds just that
// (program_folders(), Settings{}, made_configuration(), english_catalogue()).
// Started (the default), the parts are what the start-up leaves in an empty
// folder: the English catalogue, the three folders laid out, the settings at
// their defaults and no configuration open.
struct ProgramFolder {
  enum class Start { now, later };
  explicit ProgramFolder(Start when = Start::now);

  void open_configuration(const std::string& name) { conf = made_configuration(folders, name); }
  std::string language_file(const std::string& name) const { return dir.file("LANGUAGE/" + name); }

  TempDir dir;
  const ProgramFolders folders;
  Settings settings;
  OpenConfiguration conf;
  Catalogue catalogue;
  FakeMessages messages;
  FakeTimer timer;
};

} // namespace lw::test
