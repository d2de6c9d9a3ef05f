#pragma once
#include "ui/translatable.h"
#include "window_logic/conf_archive.h"
#include "window_logic/open_conf_dialog.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace lw {
class FilePicker;
class UserMessages;
} // namespace lw

namespace lw::ui {

class TFDuplicateConf;
class TitleStrip;

class TFOpenConf : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFOpenConf(const ProgramFolders& folders, const OpenConfiguration& conf, const Catalogue& catalogue,
             UserMessages& messages, FilePicker& files, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  // Copies the chosen configuration under a name the user gives, then
  // chooses the copy.
  void Btn_DuplicateClick();
  // The chosen configuration to one zip.
  void Btn_ExportClick();
  // A new configuration from a zip, under another name when its own is
  // taken; the list then chooses it.
  void Btn_ImportClick();
  const std::string& Name_Conf() const { return logic_.Name_Conf; }

  TitleStrip* P_Title;
  QLabel* Label1;
  QListWidget* ListBox1;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;
  QPushButton* Btn_Duplicate;
  QPushButton* Btn_Export;
  QPushButton* Btn_Import;
  TFDuplicateConf* FDuplicateConf; // asks the copy's name; a window of its own

protected:
  void showEvent(QShowEvent* event) override;

private:
  void fill_list(int index);
  void choose(const std::string& name);

  const Catalogue& catalogue_;
  OpenConfLogic logic_;
  ConfArchiveLogic archive_;
};

} // namespace lw::ui
