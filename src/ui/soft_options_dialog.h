#pragma once
#include "ui/link_label.h"
#include "ui/translatable.h"
#include "window_logic/soft_options_dialog.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

namespace lw::ui {

class ClickableLabel;
class TitleStrip;
struct Services;

// The software options: language, connection, table settings.
class TFSoftOptions : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFSoftOptions(const ProgramFolders& folders, Settings& stored_settings, Catalogue& catalogue,
                const Services& services, UpdateTimer& timer, std::function<void()> change_language,
                QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void LangClick(int slot);
  void Btn_NextClick(QObject* sender);
  void CB_En_ConClick();
  void Btn_Check_UpdateClick();
  void Btn_OKClick();
  // Cancel, Escape and the close box.
  void reject() override;
  SoftOptionsLogic& logic() { return logic_; }

  TitleStrip* P_Title;
  QTabWidget* PC_Options;
  QWidget* TS_Language;
  QWidget* TS_Con_Options;
  QWidget* TS_Soft_Settings;
  QLabel* L_Sel_Lang;
  ClickableLabel* I_L[kLanguageSlots];
  ClickableLabel* L_L[kLanguageSlots];
  QPushButton* Btn_Prev;
  QLabel* L_Page_Lang;
  QPushButton* Btn_Next;
  QCheckBox* CB_En_Con;
  QCheckBox* CB_Update;
  QPushButton* Btn_Check_Update;
  LinkNotice* LL_Check_Update;
  QCheckBox* CB_Soft_Set_Jump_Table;
  QCheckBox* CB_DoubleClick_Auto_Size;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // The pages in their tab order, each adding its texts to the table.
  void build_language_page();
  void build_connection_page();
  void build_settings_page();
  void build_buttons(QVBoxLayout* layout);
  void show_language_page(const LanguagePage& page);
  OptionChecks checks() const;

  const Catalogue& catalogue_;
  SoftOptionsLogic logic_;
};

} // namespace lw::ui
