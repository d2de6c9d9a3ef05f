#pragma once
#include "ui/translatable.h"
#include "window_logic/boot_dialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lw::ui {

class TitleStrip;

// The Update Device dialog (Ethernet mode): probe, descriptor, updater.
// Its texts are applied at every showing, so a language change needs no call.
class TFBoot : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFBoot(const ProgramFolders& folders, Settings& settings, const OpenConfiguration& conf,
         const Catalogue& catalogue, UserMessages& messages, UpdatePorts ports, RecordPorts record,
         QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void Btn_UpdateClick();
  // Stops a running probe before the dialog closes.
  void reject() override;
  OctetTexts fields() const;
  BootLogic& logic() { return logic_; }

  TitleStrip* P_Title;
  QWidget* P_IP_Address;
  QWidget* P_Options;
  QWidget* P_Button;
  QLabel* L_IP_Address;
  QLineEdit* E_IP[4];
  QLabel* L_Own_Address;  // the configuration's own address
  QLabel* L_Address_Move; // said when the device takes it with this update
  QLabel* L_Update_Option;
  QComboBox* CB_Update_Options;
  QCheckBox* CB_Update_Option_Read_Back;
  QWidget* P_Preview;
  QPlainTextEdit* M_Preview; // what Execute would change on the device
  QPushButton* Btn_Cancel;
  QPushButton* Btn_Update;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void show_running(bool running);
  void show_preview();
  void show_address_note();

  const Catalogue& catalogue_;
  BootLogic logic_;
};

} // namespace lw::ui
