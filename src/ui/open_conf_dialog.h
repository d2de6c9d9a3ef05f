#pragma once
#include "ui/translatable.h"
#include "windows/open_conf.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace lw::ui {

class TitleStrip;

class TFOpenConf : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFOpenConf(AppState& state, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  const std::string& Name_Conf() const { return logic_.Name_Conf; }

  TitleStrip* P_Title;
  QLabel* Label1;
  QListWidget* ListBox1;
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;

protected:
  void showEvent(QShowEvent* event) override;

private:
  AppState& state_;
  OpenConfLogic logic_;
};

} // namespace lw::ui
