#include "ui/collapsible_group.h"

#include <QKeyEvent>
#include <QToolButton>

namespace lw::ui {

namespace {
constexpr int kHeaderHeight = 26;
}

CollapsibleGroup::CollapsibleGroup(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  header_ = new QToolButton(this);
  header_->setObjectName(name + QLatin1String("_Header"));
  header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  // Tab reaches the header; Space (as on any button) or Enter toggles it.
  header_->setFocusPolicy(Qt::StrongFocus);
  header_->installEventFilter(this);
  QFont bold = header_->font();
  bold.setBold(true);
  header_->setFont(bold);
  QPalette p = header_->palette();
  p.setColor(QPalette::Button, QColor(0xe4, 0xe9, 0xef));
  p.setColor(QPalette::ButtonText, QColor(0x2f, 0x4f, 0x6f));
  header_->setPalette(p);
  content_ = new QWidget(this);
  content_->setObjectName(name + QLatin1String("_Content"));
  connect(header_, &QToolButton::clicked, this, &CollapsibleGroup::toggle);
  refresh();
}

void CollapsibleGroup::setCaption(const QString& caption) { header_->setText(caption); }
QString CollapsibleGroup::caption() const { return header_->text(); }
int CollapsibleGroup::headerHeight() const { return kHeaderHeight; }

void CollapsibleGroup::setExpanded(bool expanded) {
  expanded_ = expanded;
  refresh();
}

void CollapsibleGroup::setExpandedHeight(int height) {
  expanded_height_ = height;
  refresh();
}

void CollapsibleGroup::refresh() {
  header_->setArrowType(expanded_ ? Qt::DownArrow : Qt::RightArrow);
  layoutChildren();
  content_->setVisible(expanded_);
  int h = expanded_ ? std::max(expanded_height_, kHeaderHeight) : kHeaderHeight;
  setFixedHeight(h);
  updateGeometry();
}

void CollapsibleGroup::layoutChildren() {
  header_->setGeometry(0, 0, width(), kHeaderHeight);
  content_->setGeometry(0, kHeaderHeight, width(), std::max(0, expanded_height_ - kHeaderHeight));
}

std::vector<QWidget*> CollapsibleGroup::tab_stops() const {
  std::vector<QWidget*> stops{header_};
  for (QWidget* w : content_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (w->focusPolicy() & Qt::TabFocus) stops.push_back(w);
  return stops;
}

bool CollapsibleGroup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == header_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      header_->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CollapsibleGroup::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutChildren();
}

} // namespace lw::ui
