#include "ui/window_texts.h"

#include "core/catalogue.h"
#include "ui/plain_text.h"
#include "ui/qt_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>

namespace lw::ui {

namespace {
QTabWidget* tabs_holding(QWidget* page) {
  for (QWidget* p = page->parentWidget(); p; p = p->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(p)) return tabs->indexOf(page) >= 0 ? tabs : nullptr;
  return nullptr;
}

void set_caption(QWidget* widget, const QString& text) {
  if (widget->isWindow())
    widget->setWindowTitle(text);
  else if (auto* label = qobject_cast<QLabel*>(widget))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(text);
  else if (QTabWidget* tabs = tabs_holding(widget))
    tabs->setTabText(tabs->indexOf(widget), text);
}
} // namespace

void apply_texts(const TextRows& rows, const Catalogue& catalogue) {
  for (const TextRow& row : rows) {
    if (row.caption != text_id::kNone) set_caption(row.widget, q(catalogue.text(row.caption)));
    if (row.hint != text_id::kNone) row.widget->setToolTip(plain_tool_tip(q(catalogue.text(row.hint))));
  }
}

} // namespace lw::ui
