#pragma once
#include "ui/translatable.h"
#include "window_logic/dmx_editor.h"

#include <QDialog>
#include <QStringList>

class QAction;
class QLabel;
class QPushButton;
class QTableView;

namespace lw::ui {

class DmxTableModel;
class LevelStrip;
class TitleStrip;

// The DMX default value editor: one row per channel in an editable grid.
// Every change is a step of the model's undo stack; only OK writes.
class TFDMXDefVal : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFDMXDefVal(const OpenConfiguration& conf, const Catalogue& catalogue, UserMessages& messages,
              FilePicker& files, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void Btn_OKClick();

  void copy_selection();
  void paste_clipboard();
  void clear_selection();
  void step_selection(int delta);
  // Asks for the level, then fills.
  void fill_selection();
  void fill_selection_with(const QString& typed);
  void ramp_selection();
  // Ask for the file, then import or export.
  void import_csv();
  void export_csv();
  void import_csv_from(const QString& path);
  void export_csv_to(const QString& path);

  struct Actions {
    QAction *undo, *redo, *copy, *paste, *clear, *fill, *ramp, *import_csv, *export_csv, *confirm;
  };

  TitleStrip* P_Title;
  QPushButton* Btn_Import_CSV;
  QPushButton* Btn_Export_CSV;
  QPushButton* Btn_Fill;
  QPushButton* Btn_Ramp;
  QLabel* L_Import_Summary;
  LevelStrip* Strip_Levels;
  QTableView* ACG_DMX_Def_Val;
  DmxTableModel* model;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;
  QStringList Hint_Grid;
  Actions actions{};

  // Escape, Cancel and the title bar's close ask before changes are lost.
  void reject() override;

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QPushButton* tool_button(const char* name, void (TFDMXDefVal::*slot)());
  void make_actions();
  void bring_into_sight(int top, int bottom);
  void keep_strip_in_step();
  void take_sheet(std::optional<DMX_Def_Table> imported);
  void select_channel(int row);
  // After a command started from a button or a dialog, the work goes on in
  // the grid.
  void back_to_grid();

  const Catalogue& catalogue_;
  DmxEditorLogic logic_;
};

} // namespace lw::ui
