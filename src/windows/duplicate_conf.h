#pragma once
#include <string>

namespace lw {

struct AppState;
class UserMessages;

// The duplicate dialog's decisions: a copy, under a new name, of the
// configuration chosen in the open dialog.
class DuplicateConfLogic {
public:
  DuplicateConfLogic(AppState& state, UserMessages& messages) : state_(state), messages_(messages) {}

  // Starts on a copy of `source`; the name field begins with the source's
  // name, since copies mostly differ from it by a number or a word.
  std::string FormShow(const std::string& source);
  // Copies under the name exactly as typed, by the new-configuration rules.
  // True when the dialog closes with OK; otherwise one message was shown,
  // nothing was made and the dialog stays open.
  bool Btn_OKClick(const std::string& name);
  const std::string& source() const { return source_; }

private:
  AppState& state_;
  UserMessages& messages_;
  std::string source_;
};

} // namespace lw
