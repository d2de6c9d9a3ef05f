#pragma once
#include <QWidget>
#include <vector>

class QToolButton;

namespace lw::ui {

// A panel with a header that shows its caption and an expand/collapse mark;
// a click on the header, or Space or Enter on it, collapses the panel to its
// header or expands it.
class CollapsibleGroup : public QWidget {
  Q_OBJECT
public:
  CollapsibleGroup(const QString& name, QWidget* parent);
  void setCaption(const QString& caption);
  QString caption() const;
  QWidget* content() const { return content_; }
  int headerHeight() const;
  bool isExpanded() const { return expanded_; }
  void setExpanded(bool expanded);
  void toggle() { setExpanded(!expanded_); }
  // Height when expanded: the header plus the content's own height.
  void setExpandedHeight(int height);
  QToolButton* header() const { return header_; }
  // The header, then the content's controls that Tab reaches, in the order
  // they were made.
  std::vector<QWidget*> tab_stops() const;

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void refresh();
  void layoutChildren();

  QToolButton* header_;
  QWidget* content_;
  bool expanded_ = true;
  int expanded_height_ = 0;
};

} // namespace lw::ui
