#pragma once
#include "ui/translatable.h"
#include "windows/duplicate_conf.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lw::ui {

class TitleStrip;

// Asks the name of a copy of the configuration chosen in the open dialog and
// makes the copy.
class TFDuplicateConf : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFDuplicateConf(AppState& state, UserMessages& messages, QWidget* parent);
  void Set_Lang() override;
  // Shown modally for a copy of `source`; true once the copy is made.
  bool Duplicate(const std::string& source);
  void FormShow(const std::string& source);
  void Btn_OKClick();
  // The name the copy was made under.
  std::string new_name() const;

  TitleStrip* P_Title;
  QLabel* L_Source;
  QLabel* L_Source_Name;
  QLabel* Label1;
  QLineEdit* E_New_Name;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;

private:
  DuplicateConfLogic logic_;
  AppState& state_;
};

} // namespace lw::ui
