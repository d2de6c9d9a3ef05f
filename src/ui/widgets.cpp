#include "ui/widgets.h"

#include <QMouseEvent>
#include <QVBoxLayout>

namespace lw::ui {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

void style_large_code(QLabel* label) {
  QFont f = label->font();
  f.setPixelSize(32);
  f.setBold(true);
  label->setFont(f);
  label->setStyleSheet("color: #6b6b6b;");
}

void style_bold_grey(QLabel* label) {
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  label->setStyleSheet("color: #5a5a5a;");
}

void style_grey(QLabel* label) { label->setStyleSheet("color: #5a5a5a;"); }

TitleStrip::TitleStrip(QWidget* parent) : QWidget(parent) {
  setFixedHeight(69);
  setObjectName("P_Title");
  setAttribute(Qt::WA_StyledBackground, true);
  setStyleSheet("#P_Title { background: #e9edf1; border-bottom: 1px solid #c9d0d8; }");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 4, 12, 6);
  layout->setSpacing(0);
  L_SW_Code = new QLabel(this);
  L_SW_Code->setObjectName("L_SW_Code");
  style_large_code(L_SW_Code);
  L_SW_Desc = new QLabel(this);
  L_SW_Desc->setObjectName("L_SW_Desc");
  style_bold_grey(L_SW_Desc);
  layout->addWidget(L_SW_Code);
  layout->addWidget(L_SW_Desc);
}

QWidget* make_button_strip(QWidget* parent) {
  auto* strip = new QWidget(parent);
  strip->setObjectName("P_Button");
  strip->setFixedHeight(40);
  return strip;
}

} // namespace lw::ui
