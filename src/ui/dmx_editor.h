#pragma once
#include "ui/translatable.h"
#include "windows/editors.h"

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTableView;

namespace lw::ui {

class DmxTableModel;
class TitleStrip;

// The DMX default value editor: one row per channel in an editable grid.
class TFDMXDefVal : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFDMXDefVal(AppState& state, UserMessages& messages, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void Btn_OKClick();

  void copy_selection();
  void paste_clipboard();
  void clear_selection();

  TitleStrip* P_Title;
  QTableView* ACG_DMX_Def_Val;
  DmxTableModel* model;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;
  QStringList Hint_Grid;

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  AppState& state_;
  DmxEditorLogic logic_;
};

} // namespace lw::ui
