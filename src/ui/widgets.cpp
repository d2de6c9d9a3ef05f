#include "ui/widgets.h"

#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

namespace lw::ui {

void draw_focus_frame(QWidget* widget, QPainter& painter, QRect area) {
  if (!widget->hasFocus() || !widget->window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  QStyleOptionFocusRect option;
  option.initFrom(widget);
  if (!area.isEmpty()) option.rect = area;
  option.state |= QStyle::State_KeyboardFocusChange;
  option.backgroundColor = widget->palette().color(widget->backgroundRole());
  widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
  case Qt::Key_Space:
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
      emit clicked();
      return;
    }
    break;
  default: break;
  }
  QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  draw_focus_frame(this, painter);
}

void FocusButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  draw_focus_frame(this, painter);
}

ReadingBox::ReadingBox(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void ReadingBox::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(viewport());
  draw_focus_frame(this, painter, viewport()->rect());
}

// Colours through the palette: per-widget style sheets would slow the start.
void set_text_colour(QWidget* widget, QColor colour) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::ButtonText, colour);
  widget->setPalette(p);
}

void style_large_code(QLabel* label) {
  QFont f = label->font();
  f.setPixelSize(32);
  f.setBold(true);
  label->setFont(f);
  set_text_colour(label, QColor(0x6b, 0x6b, 0x6b));
}

void style_bold_grey(QLabel* label) {
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  set_text_colour(label, QColor(0x5a, 0x5a, 0x5a));
}

void style_grey(QLabel* label) { set_text_colour(label, QColor(0x5a, 0x5a, 0x5a)); }

TitleStrip::TitleStrip(QWidget* parent) : QWidget(parent) {
  setFixedHeight(69);
  setObjectName("P_Title");
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

namespace {
constexpr int kStepPadding = 8, kStepIconGap = 6;
}

QRect StepButton::caption_rect() const {
  QRect area = rect().adjusted(kStepPadding, 0, -kStepPadding, 0);
  area.setLeft(area.left() + iconSize().width() + kStepIconGap);
  return area;
}

void StepButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
  QSize icon_size = iconSize();
  QPoint icon_at(kStepPadding, (height() - icon_size.height()) / 2);
  icon().paint(&painter, QRect(icon_at, icon_size), Qt::AlignCenter,
               isEnabled() ? QIcon::Normal : QIcon::Disabled);
  QRect area = caption_rect();
  // A caption with a mnemonic shows it underlined, as a plain button does.
  style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                        isEnabled(),
                        fontMetrics().elidedText(text(), Qt::ElideRight, area.width(), Qt::TextShowMnemonic),
                        QPalette::ButtonText);
}

void TitleStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xe9, 0xed, 0xf1));
  painter.setPen(QColor(0xc9, 0xd0, 0xd8));
  painter.drawLine(0, height() - 1, width(), height() - 1);
}

QVBoxLayout* dialog_column(QWidget* dialog, TitleStrip*& title, std::string_view sw_code) {
  auto* column = new QVBoxLayout(dialog);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  title = new TitleStrip(dialog);
  if (!sw_code.empty()) title->L_SW_Code->setText(q(sw_code));
  column->addWidget(title);
  return column;
}

ButtonStrip add_button_strip(QWidget* dialog, QVBoxLayout* column, const char* first, const char* second,
                             bool at_left) {
  auto* strip = new QWidget(dialog);
  strip->setObjectName("P_Button");
  strip->setFixedHeight(40);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(8, 4, 8, 8);
  if (!at_left) row->addStretch();
  ButtonStrip out{strip, new FocusButton(strip), new FocusButton(strip)};
  out.first->setObjectName(first);
  out.second->setObjectName(second);
  // A focused button takes Enter itself, so Enter on Cancel cancels; with
  // focus elsewhere Enter goes to the dialog's default button, which the
  // dialog names (never the first button by accident).
  for (QPushButton* b : {out.first, out.second}) {
    b->setAutoDefault(true);
    row->addWidget(b);
  }
  if (at_left) row->addStretch();
  column->addWidget(strip);
  return out;
}

QPushButton* add_side_button(const ButtonStrip& buttons, const char* name, QWidget* before) {
  auto* button = new FocusButton(buttons.strip);
  button->setObjectName(name);
  button->setAutoDefault(true);
  static_cast<QHBoxLayout*>(buttons.strip->layout())->insertWidget(0, button);
  QWidget::setTabOrder(before, button);
  QWidget::setTabOrder(button, buttons.first);
  return button;
}

} // namespace lw::ui
