#pragma once
#include "window_logic/about_window.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace lw {
struct Catalogue;
class UrlOpener;
} // namespace lw

namespace lw::ui {

class TFAbout : public QDialog {
  Q_OBJECT
public:
  TFAbout(const Catalogue& catalogue, UrlOpener& urls, QWidget* parent);
  void FormShow();
  void Label4Click();

  QLabel* Image2;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label6;
  QLabel* Label9;
  QLabel* Label3;
  QLabel* Label10;
  QLabel* Label8;
  QLabel* Label12;
  QLabel* Label5;
  QLabel* Label7;
  QLabel* Label4;
  QPushButton* LbButton1;

protected:
  void showEvent(QShowEvent* event) override;

private:
  const Catalogue& catalogue_;
  AboutLogic logic_;
};

} // namespace lw::ui
