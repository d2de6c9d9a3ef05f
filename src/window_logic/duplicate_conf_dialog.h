#pragma once
#include "projects/project_name.h"

#include <functional>
#include <optional>
#include <string>

namespace lw {

struct ProgramFolders;
struct Catalogue;
class UserMessages;

// The duplicate dialog's decisions: a copy, under a new name, of the
// configuration chosen in the open dialog.
class DuplicateConfLogic {
public:
  // Makes the new configuration under a name: the name's refusal, or
  // nullopt once made; FileError when it can't be written.
  using Maker = std::function<std::optional<NameRefusal>(const std::string& name)>;

  DuplicateConfLogic(const ProgramFolders& folders, const Catalogue& catalogue, UserMessages& messages)
      : folders_(folders), catalogue_(catalogue), messages_(messages) {}

  // Starts on a copy of `source`; the name field begins with the source's
  // name, since copies mostly differ from it by a number or a word.
  std::string FormShow(const std::string& source);
  // Starts on another name for a configuration `make` makes (one imported
  // under a name taken); the field begins with that name.
  std::string FormShow(const std::string& source, Maker make);
  // Copies under the name exactly as typed, by the new-configuration rules.
  // True when the dialog closes with OK; otherwise one message was shown,
  // nothing was made and the dialog stays open.
  bool Btn_OKClick(const std::string& name);
  const std::string& source() const { return source_; }

private:
  const ProgramFolders& folders_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
  std::string source_;
  Maker make_;
};

} // namespace lw
