#pragma once
#include "ui/translatable.h"
#include "window_logic/new_project_dialog.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lw::ui {

class TitleStrip;

class TFNew_Project : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFNew_Project(const ProgramFolders& folders, OpenConfiguration& conf, const Catalogue& catalogue,
                UserMessages& messages, FilePicker& files, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void Btn_OKClick();
  void Btn_FromImageClick();

  TitleStrip* P_Title;
  QLabel* Label1;
  QLineEdit* E_New_Proj;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;
  QPushButton* Btn_FromImage;

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  const Catalogue& catalogue_;
  FilePicker& files_;
  NewProjectLogic logic_;
};

} // namespace lw::ui
