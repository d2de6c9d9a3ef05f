#pragma once
#include "params/par_gen.h"
#include "site/site_checks.h"

#include <optional>
#include <string>
#include <vector>

namespace lw {

struct ProgramFolders;
struct OpenConfiguration;
struct Catalogue;
class UserMessages;

// The Set Communication editor's decisions.
class ParGenEditorLogic {
public:
  // The notes look at the other configurations of PROJECTS.
  ParGenEditorLogic(const ProgramFolders& folders, const OpenConfiguration& conf, const Catalogue& catalogue,
                    UserMessages& messages)
      : folders_(folders), conf_(conf), catalogue_(catalogue), messages_(messages) {}

  // The set to show: the file's, or the default set when there is no file.
  // nullopt when the file can't be read, after its error is shown: defaults
  // in its place would be saved over it by OK, so the editor closes.
  std::optional<Par_Gen_Set> FormShow();
  // Tests, then looks at the addressing beside the other configurations of
  // PROJECTS. Notes not shown yet are shown and the set is not saved: the
  // user reads them with every entry still in view, and Cancel still
  // discards. OK again with the same notes saves, so the notes never stand in
  // the way of a set that passes the tests. True when the editor may close.
  bool Btn_OKClick(const Par_Gen_Set& shown);
  // The element of the field whose test failed at the last OK, for the
  // editor to focus; empty when none did.
  const std::string& failed_element() const { return failed_element_; }
  // The notes on show: their heading and one line each, in the current
  // language; empty when there are none.
  std::string notes_text() const;
  // "1. DMX", "2. Modbus Slave", "3. Ethernet" in the current language.
  std::string group_caption(int group) const;

private:
  const ProgramFolders& folders_;
  const OpenConfiguration& conf_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
  std::string failed_element_;
  std::vector<SiteNote> notes_;
};

} // namespace lw
