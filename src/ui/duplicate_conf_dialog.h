#pragma once
#include "ui/translatable.h"
#include "window_logic/duplicate_conf_dialog.h"

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
  TFDuplicateConf(const ProgramFolders& folders, const Catalogue& catalogue, UserMessages& messages,
                  QWidget* parent);
  void Set_Lang() override;
  // Shown modally for a copy of `source`; true once the copy is made.
  bool Duplicate(const std::string& source);
  // The same question for a configuration imported under a name taken
  // (`archived`); `make` makes it under the name given. True once made.
  bool Import(const std::string& archived, DuplicateConfLogic::Maker make);
  void FormShow(const std::string& source);
  // The texts of a copy's question, or of an import's.
  void show_mode(bool importing);
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
  bool ask(const std::string& source, std::string name, bool importing);
  void show_names(const std::string& source, const std::string& name);

  DuplicateConfLogic logic_;
  bool importing_ = false;
  const Catalogue& catalogue_;
};

} // namespace lw::ui
