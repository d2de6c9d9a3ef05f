#pragma once
#include "params/dmx_defaults.h"
#include "params/grid_clipboard.h"

#include <optional>
#include <string>

namespace lw {

struct OpenConfiguration;
struct Catalogue;
class UserMessages;
class FilePicker;

// The DMX default value editor's decisions. Everything here works on the
// rows the editor shows; only OK writes the configuration.
class DmxEditorLogic {
public:
  DmxEditorLogic(const OpenConfiguration& conf, const Catalogue& catalogue, UserMessages& messages,
                 FilePicker& files)
      : conf_(conf), catalogue_(catalogue), messages_(messages), files_(files) {}

  // Rows for the channel count of ParGen.xml, filled from the file. A file
  // that can't be read is reported and there are no rows: the editor has
  // nothing to offer whose OK would not write over what it could not read.
  std::optional<DMX_Def_Table> FormShow();
  // Saves the rows when every value is a level and every mnemonic changed
  // since FormShow one the editor takes (check_mnemonic); else the first
  // failing channel is reported and nothing is written.
  bool Btn_OKClick(const DMX_Def_Table& rows);

  // Import and export with the file dialog; nullopt or false also when the
  // user cancelled it.
  std::optional<DMX_Def_Table> import_csv(const DMX_Def_Table& rows);
  bool export_csv(const DMX_Def_Table& rows);

  // The rows with a sheet laid over them, or nullopt (reported) when the
  // sheet is refused.
  std::optional<DMX_Def_Table> import_csv_from(const std::string& path, const DMX_Def_Table& rows);
  // The rows as a sheet, with the register column when ParGen.xml maps one
  // channel to each register. False when reported as not written.
  bool export_csv_to(const std::string& path, const DMX_Def_Table& rows);
  // Where the file dialogs start: the folder of the last sheet, at first
  // the configuration's own, with a name after the configuration.
  std::string csv_suggestion() const;
  // Where the import dialog starts: that folder alone, as no file of that
  // name need exist.
  std::string csv_folder() const;
  std::string import_summary(int changed) const;

  // The level the user typed for a fill, or nullopt (reported).
  std::optional<int> fill_level(const std::string& typed);
  // A ramp over the range; its refusal is reported. True when rows changed.
  bool ramp(DMX_Def_Table& rows, GridRange range);
  // Whether the editor may close without saving: at once when nothing was
  // changed, else when the user agrees to lose the changes.
  bool may_discard(bool changed);

private:
  std::string mnemonic_error(const MnemonicFailure& failure) const;
  void remember_folder(const std::string& path);
  std::string csv_filter(bool with_all_files) const;

  const OpenConfiguration& conf_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
  FilePicker& files_;
  std::string csv_folder_;
  DMX_Def_Table stored_; // as the file held them when shown
};

} // namespace lw
