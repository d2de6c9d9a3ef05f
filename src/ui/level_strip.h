#pragma once
#include "params/dmx_levels.h"

#include <QWidget>
#include <cstdint>
#include <vector>

class QScrollBar;

namespace lw::ui {

// Every channel's level as a bar rising from the bottom, a universe of 512
// at a glance and a scroll bar of its own for more: a level pattern reads
// faster than 512 numbers. A bad value is a full-height bar in the text
// colour. The strip follows the grid's current row and takes no focus;
// clicking or dragging over it names the channel under the pointer.
class LevelStrip : public QWidget {
  Q_OBJECT
public:
  static constexpr int kChannelsAtAGlance = 512;

  explicit LevelStrip(QWidget* parent = nullptr);

  void setLevels(std::vector<std::int16_t> levels);
  // After an edit of rows top..bottom (from 0, both included) of table.
  void updateLevels(int top, int bottom, const DMX_Def_Table& table);
  // Marks row (from 0; -1 for none) and scrolls it into sight.
  void setCurrentChannel(int row);
  // The tool tip reads "<channel> N" over "<value>: level", or over bad_value.
  void setCaptions(const QString& channel, const QString& value, const QString& bad_value);

  const std::vector<std::int16_t>& levels() const { return levels_; }
  int currentChannel() const { return current_; }
  // Where row's bar stands, in the strip's coordinates; empty when out of sight.
  QRect channelRect(int row) const;
  QScrollBar* scrollBar() const { return scroll_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  void channelClicked(int row);

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  QRect bar_area() const;
  int per_page() const;
  bool scrolls() const;
  int channel_at(int x) const;
  void lay_out();
  void follow_pointer(int x);

  std::vector<std::int16_t> levels_;
  int current_ = -1;
  int dragged_ = -1;
  QScrollBar* scroll_;
  QString channel_caption_;
  QString value_caption_;
  QString bad_caption_;
};

} // namespace lw::ui
