#include "ui/link_label.h"

#include "ui/qt_text.h"

#include <QFocusEvent>

namespace lw::ui {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : ClickableLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  set_keyboard_reachable();
}

void LinkLabel::place(QPoint at, int right_edge) {
  move(at);
  adjustSize();
  if (x() + width() > right_edge) move(right_edge - width(), y());
}

LinkNotice::LinkNotice(QWidget* parent) : QLabel(parent) {
  setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  hide();
}

void LinkNotice::show_link(const std::string& text, const std::string& url) {
  setTextFormat(Qt::RichText);
  setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(q(url).toHtmlEscaped(), q(text).toHtmlEscaped()));
  setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

void LinkNotice::show_plain(const std::string& text) {
  setTextFormat(Qt::PlainText);
  setText(q(text));
  // Plain text is no Tab stop.
  setTextInteractionFlags(Qt::LinksAccessibleByMouse);
}

void LinkNotice::focusInEvent(QFocusEvent* event) {
  QLabel::focusInEvent(event);
  // Tab lands on the link itself, so Enter opens it at once.
  bool by_tab = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
  if (by_tab && textFormat() == Qt::RichText)
    QLabel::focusNextPrevChild(event->reason() == Qt::TabFocusReason);
}

} // namespace lw::ui
