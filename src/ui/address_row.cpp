#include "ui/address_row.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace lw::ui {

AddressRow::AddressRow(QWidget* parent, int left, int top) : QObject(parent) {
  int x = left;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    QLineEdit* field = new QLineEdit(parent);
    field->setGeometry(x, top, kFieldWidth, kHeight);
    field->setAlignment(Qt::AlignCenter);
    field->installEventFilter(this);
    fields[i] = field;
    x += kFieldWidth;
    if (i + 1 < fields.size()) {
      auto* dot = new QLabel(QStringLiteral("."), parent);
      dot->setGeometry(x, top, kDotWidth, kHeight);
      dot->setAlignment(Qt::AlignCenter);
      x += kDotWidth;
    }
  }
}

QLineEdit* AddressRow::after(QObject* field) const {
  for (std::size_t i = 0; i + 1 < fields.size(); ++i)
    if (fields[i] == field) return fields[i + 1];
  return next_ ? next_->fields[0] : nullptr;
}

bool AddressRow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->text() != QLatin1Char('.'))
    return QObject::eventFilter(watched, event);
  QLineEdit* next = after(watched);
  if (next && next->isVisible() && next->isEnabled()) next->setFocus(Qt::TabFocusReason);
  return true; // a dot is never inserted
}

} // namespace lw::ui
