#include "windows/editors.h"

#include "core/app_state.h"
#include "core/ports.h"
#include "core/text_ids.h"
#include "platform/errors.h"
#include "update/stored_site.h"

#include <algorithm>

namespace lw {

namespace {
constexpr int kGroupCaptions[] = {text_id::kGroupDmx, text_id::kGroupModbusSlave, text_id::kGroupEthernet};
} // namespace

Par_Gen_Set ParGenEditorLogic::FormShow() {
  notes_.clear();
  try {
    return Load_Par_Gen(state_.File_ParGen);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return Par_Gen_Set();
  }
}

bool ParGenEditorLogic::Btn_OKClick(const Par_Gen_Set& shown) {
  failed_element_.clear();
  if (auto failure = Controllo_Dati(shown)) {
    failed_element_ = failure->field->element;
    messages_.error(failure_text(*failure, state_.Text_Table));
    return false;
  }
  auto notes = notes_for(state_.Conf_Name, shown, stored_site(state_.Projects_Dir));
  bool unseen = std::any_of(notes.begin(), notes.end(), [&](const SiteNote& note) {
    return std::find(notes_.begin(), notes_.end(), note) == notes_.end();
  });
  notes_ = std::move(notes);
  if (unseen) return false;
  try {
    Save_Par_Gen(state_.File_ParGen, shown);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return false;
  }
  return true;
}

std::string ParGenEditorLogic::notes_text() const {
  if (notes_.empty()) return {};
  std::string out = state_.text(text_id::kNotesHeading);
  for (const SiteNote& note : notes_)
    out += "\n" + note_text(note, state_.Text_Table);
  return out;
}

std::string ParGenEditorLogic::group_caption(int group) const {
  return std::to_string(group + 1) + ". " + state_.text(kGroupCaptions[group]);
}

DMX_Def_Table DmxEditorLogic::FormShow() {
  int channels = kDefaultDmxChannels;
  try {
    channels = dmx_channel_count(state_.File_ParGen);
  } catch (const FileError& e) {
    messages_.error(e.what());
  }
  try {
    return Load_DMX_Defaults(state_.File_DMX_Default, channels);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return DMX_Def_Table(static_cast<std::size_t>(channels));
  }
}

bool DmxEditorLogic::Btn_OKClick(const DMX_Def_Table& rows) {
  if (auto channel = Controllo_dati(rows)) {
    messages_.error(dmx_row_error(state_.text(text_id::kMsgDmxErrorRow), *channel,
                                  state_.text(text_id::kMsgDmxValueRange)));
    return false;
  }
  try {
    Save_DMX_Defaults(state_.File_DMX_Default, rows);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return false;
  }
  return true;
}

} // namespace lw
