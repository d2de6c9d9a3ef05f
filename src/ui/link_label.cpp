#include "ui/link_label.h"

#include "ui/qt_text.h"

namespace lw::ui {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : ClickableLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
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
}

void LinkNotice::show_plain(const std::string& text) {
  setTextFormat(Qt::PlainText);
  setText(q(text));
}

} // namespace lw::ui
