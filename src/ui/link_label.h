#pragma once
#include "ui/widgets.h"

#include <string>

namespace lw::ui {

// A web address shown as a label with a hand cursor that reports clicks, by
// the mouse or, once focused, by Enter or Space.
class LinkLabel : public ClickableLabel {
  Q_OBJECT
public:
  LinkLabel(const QString& text, QWidget* parent);
  // At `at`, sized to its text (style it first) and moved left as far as
  // needed to end by `right_edge`.
  void place(QPoint at, int right_edge);
};

// A notice that shows either a link, whose target linkActivated reports (a
// click, or Enter once Tab has focused it), or plain text. Hidden until shown.
class LinkNotice : public QLabel {
  Q_OBJECT
public:
  explicit LinkNotice(QWidget* parent);
  void show_link(const std::string& text, const std::string& url);
  void show_plain(const std::string& text);

protected:
  void focusInEvent(QFocusEvent* event) override;
};

} // namespace lw::ui
