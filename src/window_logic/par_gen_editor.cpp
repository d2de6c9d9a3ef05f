#include "window_logic/par_gen_editor.h"

#include "core/catalogue.h"
#include "core/open_configuration.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "site/stored_site.h"

#include <algorithm>

namespace lw {

namespace {
constexpr int kGroupCaptions[] = {text_id::kGroupDmx, text_id::kGroupModbusSlave, text_id::kGroupEthernet};
} // namespace

std::optional<Par_Gen_Set> ParGenEditorLogic::FormShow() {
  notes_.clear();
  try {
    return Load_Par_Gen(conf_.File_ParGen);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return std::nullopt;
  }
}

bool ParGenEditorLogic::Btn_OKClick(const Par_Gen_Set& shown) {
  failed_element_.clear();
  if (auto failure = Controllo_Dati(shown)) {
    failed_element_ = failure->field->element;
    messages_.error(failure_text(*failure, catalogue_.Text_Table));
    return false;
  }
  auto notes = notes_for(conf_.Conf_Name, shown, stored_site(folders_.Projects_Dir));
  bool unseen = std::any_of(notes.begin(), notes.end(), [&](const SiteNote& note) {
    return std::find(notes_.begin(), notes_.end(), note) == notes_.end();
  });
  notes_ = std::move(notes);
  if (unseen) return false;
  try {
    Save_Par_Gen(conf_.File_ParGen, shown);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return false;
  }
  return true;
}

std::string ParGenEditorLogic::notes_text() const {
  if (notes_.empty()) return {};
  std::string out = catalogue_.text(text_id::kNotesHeading);
  for (const SiteNote& note : notes_)
    out += "\n" + note_text(note, catalogue_.Text_Table);
  return out;
}

std::string ParGenEditorLogic::group_caption(int group) const {
  return std::to_string(group + 1) + ". " + catalogue_.text(kGroupCaptions[group]);
}

} // namespace lw
