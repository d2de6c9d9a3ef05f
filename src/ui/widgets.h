#pragma once
#include <QLabel>
#include <QPushButton>
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

// A push button whose icon and caption sit at its left edge, as the steps of
// the main window want (a plain push button centres them).
class StepButton : public QPushButton {
public:
  using QPushButton::QPushButton;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// The strip at the top of every dialog: the software code in large grey type
// and the window's heading under it.
class TitleStrip : public QWidget {
public:
  explicit TitleStrip(QWidget* parent);
  QLabel* L_SW_Code;
  QLabel* L_SW_Desc;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// The strip at the bottom that holds a dialog's buttons.
QWidget* make_button_strip(QWidget* parent);

void style_large_code(QLabel* label);
void style_bold_grey(QLabel* label);
void style_grey(QLabel* label);
void set_text_colour(QWidget* widget, QColor colour);

} // namespace lw::ui
