#pragma once
#include "core/app_state.h"
#include "fakes.h"
#include "temp_dir.h"

#include <string>

namespace lw::test {

// Opens the configuration `name` as creating it leaves it: its folder under
// Projects_Dir with an empty bin folder, named in the state with its files.
void open_configuration(AppState& state, const std::string& name);

// A fresh folder of the executable with fake message boxes and timer. Started
// (the default), the state is what the start-up leaves in an empty folder:
// the English catalogue, the three folders laid out and named, the settings
// at their defaults and no configuration open.
struct ProgramFolder {
  enum class Start { now, later };
  explicit ProgramFolder(Start when = Start::now);

  void open_configuration(const std::string& name) { test::open_configuration(state, name); }
  std::string language_file(const std::string& name) const { return dir.file("LANGUAGE/" + name); }

  TempDir dir;
  AppState state;
  FakeMessages messages;
  FakeTimer timer;
};

} // namespace lw::test
