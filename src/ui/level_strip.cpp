#include "ui/level_strip.h"
#include "ui/plain_text.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace lw::ui {

namespace {

constexpr int kFrame = 1;
constexpr int kBarsHeight = 72;
constexpr int kMinBarsHeight = 40;
// Bars this wide or wider keep a pixel of gap to their neighbours. Widths
// differ by a pixel across a page, so the page decides for all of its bars
// at once: gaps on some bars only would read as a pattern in the levels.
constexpr int kGapFrom = 3;
// The current channel's mark stays visible when bars are a pixel wide.
constexpr int kMarkWidth = 3;
constexpr int kMarkAlpha = 80;

} // namespace

LevelStrip::LevelStrip(QWidget* parent) : QWidget(parent), scroll_(new QScrollBar(Qt::Horizontal, this)) {
  setFocusPolicy(Qt::NoFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setAttribute(Qt::WA_OpaquePaintEvent);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->hide();
  connect(scroll_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void LevelStrip::setLevels(std::vector<std::int16_t> levels) {
  levels_ = std::move(levels);
  lay_out();
  update();
}

void LevelStrip::updateLevels(int top, int bottom, const DMX_Def_Table& table) {
  const std::size_t before = levels_.size();
  update_levels(levels_, table, top, bottom);
  if (levels_.size() != before) lay_out();
  update();
}

void LevelStrip::setCurrentChannel(int row) {
  current_ = row;
  const int pp = per_page();
  if (row >= 0 && row < static_cast<int>(levels_.size()) && pp > 0) {
    if (row < scroll_->value())
      scroll_->setValue(row);
    else if (row >= scroll_->value() + pp)
      scroll_->setValue(row - pp + 1);
  }
  update();
}

void LevelStrip::setCaptions(const QString& channel, const QString& value, const QString& bad_value) {
  channel_caption_ = channel;
  value_caption_ = value;
  bad_caption_ = bad_value;
}

// Bars fill the width: at most 512 channels, at least a pixel each.
int LevelStrip::per_page() const {
  const int bars_width = std::max(1, width() - 2 * kFrame);
  return std::min({static_cast<int>(levels_.size()), kChannelsAtAGlance, bars_width});
}

bool LevelStrip::scrolls() const { return static_cast<int>(levels_.size()) > per_page(); }

QRect LevelStrip::bar_area() const {
  const int below = scrolls() ? scroll_->sizeHint().height() : 0;
  return {kFrame, kFrame, std::max(1, width() - 2 * kFrame), std::max(1, height() - 2 * kFrame - below)};
}

// Bar k of a page spans [k * W / pp, (k + 1) * W / pp) of the bars' width W.
QRect LevelStrip::channelRect(int row) const {
  const int pp = per_page();
  const int k = row - scroll_->value();
  if (row < 0 || row >= static_cast<int>(levels_.size()) || k < 0 || k >= pp) return {};
  const QRect area = bar_area();
  const int left = area.left() + k * area.width() / pp;
  const int right = area.left() + (k + 1) * area.width() / pp;
  return {left, area.top(), right - left, area.height()};
}

// The largest k whose bar starts at or before x; x outside the bars is taken
// at their nearest edge, so a drag past the end names the last channel.
int LevelStrip::channel_at(int x) const {
  const QRect area = bar_area();
  const int w = area.width();
  const int offset = std::clamp(x - area.left(), 0, w - 1);
  return scroll_->value() + ((offset + 1) * per_page() - 1) / w;
}

void LevelStrip::lay_out() {
  const int pp = per_page();
  scroll_->setRange(0, std::max(0, static_cast<int>(levels_.size()) - pp));
  scroll_->setPageStep(std::max(1, pp));
  const int h = scroll_->sizeHint().height();
  scroll_->setGeometry(kFrame, height() - kFrame - h, std::max(1, width() - 2 * kFrame), h);
  scroll_->setVisible(scrolls());
}

QSize LevelStrip::sizeHint() const {
  return {kChannelsAtAGlance + 2 * kFrame, kBarsHeight + 2 * kFrame + scroll_->sizeHint().height()};
}

QSize LevelStrip::minimumSizeHint() const {
  return {kChannelsAtAGlance + 2 * kFrame, kMinBarsHeight + 2 * kFrame + scroll_->sizeHint().height()};
}

bool LevelStrip::event(QEvent* event) {
  if (event->type() == QEvent::StyleChange) lay_out();
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  if (per_page() == 0 || !bar_area().contains(help->pos())) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  const int row = channel_at(help->pos().x());
  const std::int16_t level = levels_[static_cast<std::size_t>(row)];
  const QString shown = level < 0 ? bad_caption_ : value_caption_ + u": "_s + QString::number(level);
  const QString tip = channel_caption_ + u' ' + QString::number(row + 1) + u'\n' + shown;
  QToolTip::showText(help->globalPos(), plain_tool_tip(tip), this, channelRect(row));
  return true;
}

void LevelStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Base));
  painter.setPen(colours.color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const int pp = per_page();
  if (pp == 0) return;
  const QRect area = bar_area();

  if (QRect mark = channelRect(current_); mark.isValid()) {
    const int grow = std::max(0, kMarkWidth - mark.width());
    mark.adjust(-grow / 2, 0, grow - grow / 2, 0);
    QColor tint = colours.color(QPalette::Highlight);
    tint.setAlpha(kMarkAlpha);
    painter.fillRect(mark.intersected(area), tint);
  }

  const QColor bar = colours.color(QPalette::Highlight);
  const QColor bad = colours.color(QPalette::WindowText);
  const int first = scroll_->value();
  const bool gapped = area.width() / pp >= kGapFrom;
  for (int k = 0; k < pp; ++k) {
    const int left = area.left() + k * area.width() / pp;
    int width = area.left() + (k + 1) * area.width() / pp - left;
    if (gapped) --width;
    const int level = levels_[static_cast<std::size_t>(first + k)];
    if (level < 0) {
      painter.fillRect(left, area.top(), width, area.height(), bad);
    } else if (level > 0) {
      const int height = (std::min(level, 255) * area.height() + 127) / 255;
      painter.fillRect(left, area.bottom() - height + 1, width, height, bar);
    }
  }
}

void LevelStrip::resizeEvent(QResizeEvent*) { lay_out(); }

void LevelStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || per_page() == 0 ||
      !bar_area().contains(event->position().toPoint())) {
    QWidget::mousePressEvent(event);
    return;
  }
  dragged_ = -1;
  follow_pointer(event->position().toPoint().x());
}

void LevelStrip::mouseMoveEvent(QMouseEvent* event) {
  if (dragged_ >= 0 && (event->buttons() & Qt::LeftButton))
    follow_pointer(event->position().toPoint().x());
  else
    QWidget::mouseMoveEvent(event);
}

void LevelStrip::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragged_ = -1;
  QWidget::mouseReleaseEvent(event);
}

void LevelStrip::follow_pointer(int x) {
  const int row = channel_at(x);
  if (row == dragged_) return;
  dragged_ = row;
  emit channelClicked(row);
}

void LevelStrip::wheelEvent(QWheelEvent* event) {
  if (scrolls())
    QCoreApplication::sendEvent(scroll_, event);
  else
    event->ignore();
}

} // namespace lw::ui
