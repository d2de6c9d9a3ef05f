#pragma once
#include <QLabel>
#include <QWidget>

namespace lw::ui {

// A label that reports clicks (web address labels, flag pictures).
class ClickableLabel : public QLabel {
  Q_OBJECT
public:
  using QLabel::QLabel;
signals:
  void clicked();

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The strip at the top of every dialog: the software code in large grey type
// and the window's heading under it.
class TitleStrip : public QWidget {
public:
  explicit TitleStrip(QWidget* parent);
  QLabel* L_SW_Code;
  QLabel* L_SW_Desc;
};

// The strip at the bottom that holds a dialog's buttons.
QWidget* make_button_strip(QWidget* parent);

void style_large_code(QLabel* label);
void style_bold_grey(QLabel* label);
void style_grey(QLabel* label);

} // namespace lw::ui
