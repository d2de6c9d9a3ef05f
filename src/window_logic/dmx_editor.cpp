#include "window_logic/dmx_editor.h"

#include "core/catalogue.h"
#include "core/limits.h"
#include "core/open_configuration.h"
#include "core/ports.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "params/dmx_csv.h"
#include "params/dmx_levels.h"
#include "params/grid_edits.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "projects/output_guard.h"

#include <array>

namespace lw {

std::optional<DMX_Def_Table> DmxEditorLogic::FormShow() {
  // Without its channel count the table would be saved with 512 rows, which
  // may be fewer than the file holds.
  try {
    stored_ = Load_DMX_Defaults(conf_.File_DMX_Default, dmx_channel_count(conf_.File_ParGen));
    return stored_;
  } catch (const FileError& e) {
    messages_.error(e.what());
    stored_.clear();
    return std::nullopt;
  }
}

bool DmxEditorLogic::Btn_OKClick(const DMX_Def_Table& rows) {
  if (auto channel = Controllo_dati(rows)) {
    messages_.error(dmx_row_error(catalogue_.text(text_id::kMsgDmxErrorRow), *channel,
                                  catalogue_.text(text_id::kMsgDmxValueRange)));
    return false;
  }
  if (auto failure = first_bad_mnemonic(rows, stored_)) {
    messages_.error(mnemonic_error(*failure));
    return false;
  }
  try {
    Save_DMX_Defaults(conf_.File_DMX_Default, rows);
  } catch (const FileError& e) {
    messages_.error(e.what());
    return false;
  }
  stored_ = rows;
  return true;
}

std::string DmxEditorLogic::mnemonic_error(const MnemonicFailure& failure) const {
  if (failure.check.fault == MnemonicFault::TooLong)
    return fill_places(catalogue_.text(text_id::kMsgDmxMnemonicTooLong),
                       std::array{std::to_string(failure.channel), std::to_string(kMaxMnemonicChars)});
  // Bytes that are no UTF-8 have no character to name.
  std::string character =
      failure.check.fault == MnemonicFault::NotUtf8 ? "?" : utf8::code_point_text(failure.check.character);
  return fill_places(catalogue_.text(text_id::kMsgDmxMnemonicCharacter),
                     std::array{std::to_string(failure.channel), character});
}

std::optional<DMX_Def_Table> DmxEditorLogic::import_csv(const DMX_Def_Table& rows) {
  std::string path = files_.open_file({catalogue_.text(text_id::kDmxImportCsv), csv_folder(), csv_filter(true)});
  if (path.empty()) return std::nullopt;
  return import_csv_from(path, rows);
}

bool DmxEditorLogic::export_csv(const DMX_Def_Table& rows) {
  std::string path =
      files_.save_file({catalogue_.text(text_id::kDmxExportCsv), csv_suggestion(), csv_filter(false)});
  return !path.empty() && export_csv_to(path, rows);
}

std::string DmxEditorLogic::csv_filter(bool with_all_files) const {
  std::string filter = catalogue_.text(text_id::kDmxCsvFilter);
  if (with_all_files) filter += ";;" + catalogue_.text(text_id::kDmxAllFilesFilter);
  return filter;
}

std::optional<DMX_Def_Table> DmxEditorLogic::import_csv_from(const std::string& path,
                                                             const DMX_Def_Table& rows) {
  try {
    DMX_Def_Table out = import_dmx_csv(fs::read_bytes(path, kMaxCsvBytes), rows, path);
    remember_folder(path);
    return out;
  } catch (const FileError& e) {
    messages_.error(e.what());
    return std::nullopt;
  }
}

bool DmxEditorLogic::export_csv_to(const std::string& path, const DMX_Def_Table& rows) {
  try {
    save_output(path, dmx_csv(rows, Load_Par_Gen(conf_.File_ParGen).MODBUS_SLAVE_DMX_MAP));
  } catch (const FileError& e) {
    messages_.error(e.what());
    return false;
  }
  remember_folder(path);
  return true;
}

std::string DmxEditorLogic::csv_folder() const { return csv_folder_.empty() ? conf_.Conf_Dir : csv_folder_; }

std::string DmxEditorLogic::csv_suggestion() const {
  return fs::join(csv_folder(), conf_.Conf_Name + ".csv");
}

bool DmxEditorLogic::may_discard(bool changed) {
  return !changed || messages_.confirm(catalogue_.text(text_id::kDmxDiscardChanges));
}

std::string DmxEditorLogic::import_summary(int changed) const {
  return catalogue_.text(text_id::kDmxImportSummary) + std::to_string(changed);
}

void DmxEditorLogic::remember_folder(const std::string& path) {
  // A bare name has no folder of its own: the next dialog starts where it did.
  csv_folder_ = fs::file_name(path) == path ? std::string() : fs::parent_folder(path);
}

std::optional<int> DmxEditorLogic::fill_level(const std::string& typed) {
  LevelReading reading = read_level(typed);
  if (reading.fault == LevelFault::None) return reading.level;
  messages_.error(catalogue_.text(text_id::kMsgDmxNotALevel) + typed);
  return std::nullopt;
}

bool DmxEditorLogic::ramp(DMX_Def_Table& rows, GridRange range) {
  RampOutcome outcome = ramp_values(rows, range);
  switch (outcome.fault) {
  case RampFault::None: return outcome.changed;
  case RampFault::TooFewChannels: messages_.error(catalogue_.text(text_id::kMsgDmxRampTooShort)); break;
  case RampFault::EndNotALevel:
    messages_.error(catalogue_.text(text_id::kMsgDmxRampEnd) + std::to_string(outcome.channel));
    break;
  }
  return false;
}

} // namespace lw
