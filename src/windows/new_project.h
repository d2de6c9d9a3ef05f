#pragma once
#include <string>

namespace lw {

struct AppState;
class UserMessages;

// The new-configuration dialog's decisions.
class NewProjectLogic {
public:
  NewProjectLogic(AppState& state, UserMessages& messages) : state_(state), messages_(messages) {}

  // Validates the name exactly as typed and creates the configuration with its
  // bin folder. True when the dialog closes with OK; otherwise one message was
  // shown and the dialog stays open.
  bool Btn_OKClick(const std::string& name);

private:
  AppState& state_;
  UserMessages& messages_;
};

} // namespace lw
