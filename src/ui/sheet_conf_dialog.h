#pragma once
#include "ui/translatable.h"
#include "window_logic/sheet_conf_dialog.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace lw::ui {

class TitleStrip;

// Makes one configuration per row of a site sheet over a template: the plan
// is shown, row by row, before Create writes anything.
class TFSheetConf : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFSheetConf(const ProgramFolders& folders, const OpenConfiguration& conf, const Catalogue& catalogue,
              UserMessages& messages, FilePicker& files, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void Btn_BrowseClick();
  void Btn_CreateClick();
  // Plans again from the template, sheet and replace box as they stand.
  void Plan_Sheet();

  TitleStrip* P_Title;
  QLabel* L_Template;
  QComboBox* CB_Template;
  QLabel* L_Sheet;
  QLineEdit* E_Sheet;
  QPushButton* Btn_Browse;
  QCheckBox* CB_Replace;
  QLabel* L_Plan;
  QTableWidget* Grid_Plan;
  QLabel* L_Notes;
  QPlainTextEdit* M_Notes;
  QLabel* L_Summary;
  QProgressBar* PB_Create;
  QPushButton* Btn_Create;
  QPushButton* Btn_Cancel;
  // A typed path is planned once typing pauses; until then Create waits.
  QTimer Timer_Sheet;

  // While units are written, Escape and Cancel stop the writing after the
  // unit at hand; otherwise they close.
  void reject() override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void show_view();
  void set_inputs_enabled(bool enabled);
  void set_headings();

  SheetConfLogic logic_;
  const Catalogue& catalogue_;
  bool written_ = false; // since the showing: Cancel has become Close
  bool writing_ = false;
  bool stop_asked_ = false;
};

} // namespace lw::ui
