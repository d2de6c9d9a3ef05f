// The one adapter below the windows built on Qt: its PDF writer, in a target
// of its own that the logic never links.
#include "formats/errors.h"
#include "platform/pdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <numeric>
#include <vector>

namespace lw {

namespace {
constexpr int kDpi = 300;
constexpr qreal kMarginMm = 15;
constexpr qreal kPadding = 10;      // around a cell's text, in dots
constexpr qreal kRule = 2;          // a line's width, in dots
constexpr qreal kGapBefore = 40;    // above a section's heading
constexpr qreal kLabelShare = 0.45; // a label's part of a label-and-value line
constexpr int kTop = Qt::AlignLeft | Qt::AlignTop;

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A companion run from a shell has no application object yet; fonts and
// painting need one. It lives until the process ends.
void ensure_gui_application() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (QCoreApplication::instance())
    throw FileError("PDF: the program's Qt application has no fonts to lay out a page with");
#ifdef _WIN32
  static int argc = 1;
  static char name[] = "loomwork";
  static char* argv[] = {name, nullptr};
#else
  // No display is needed to write a file.
  static int argc = 3;
  static char name[] = "loomwork", option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
#endif
  // Qt's notes on the environment (no runtime folder, say) are not the
  // companion's to print: its output is the file and its own messages.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

QFont font_of(qreal points, bool bold = false) {
  QFont f;
  f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI"), QStringLiteral("Arial")});
  f.setPointSizeF(points);
  f.setBold(bold);
  // No ligatures: "fi" stays two letters, so a search in the PDF finds them.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

// One thing drawn on a page, placed at its top.
struct Block {
  qreal height;
  std::function<void(QPainter&, qreal top)> draw;
  bool keep_with_next = false;       // a heading stays with what it heads
  const doc::Table* table = nullptr; // a data row: its table's heading row repeats
};

class Layout {
public:
  Layout(QPdfWriter& writer, const doc::Document& document)
      : writer_(writer), document_(document), body_(font_of(9)), small_(font_of(8)), bold_(font_of(9, true)),
        heading_(font_of(12, true)), title_(font_of(16, true)) {
    QRectF page = writer.pageLayout().paintRectPixels(kDpi);
    width_ = page.width();
    height_ = page.height();
    header_height_ = metrics(small_).height() + 3 * kPadding;
  }

  void build() {
    add_text(document_.title, title_, 0);
    for (const doc::Section& section : document_.sections) {
      add_text(section.heading, heading_, kGapBefore, true);
      for (const std::string& line : section.lines)
        add_text(line, body_, 0);
      add_table(section.table);
    }
  }

  void paginate() {
    qreal body = height_ - header_height_;
    qreal y = 0;
    pages_.push_back({});
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
      const Block& block = blocks_[i];
      qreal needed = block.height;
      // A heading goes to the next page with the first line it heads.
      if (block.keep_with_next && i + 1 < blocks_.size()) needed += blocks_[i + 1].height;
      if (y > 0 && y + needed > body) {
        pages_.push_back({});
        y = 0;
      }
      // A table's rows carried over to a new page come under its heading row again.
      if (auto head = heading_rows_.find(block.table); y == 0 && head != heading_rows_.end()) {
        const Block& heading = blocks_[head->second];
        if (&heading != &block) {
          pages_.back().push_back({&heading, y});
          y += heading.height;
        }
      }
      pages_.back().push_back({&block, y});
      y += std::min(block.height, body);
    }
  }

  void draw(QPainter& painter) {
    const int count = static_cast<int>(pages_.size());
    for (int n = 0; n < count; ++n) {
      if (n > 0) writer_.newPage();
      draw_header(painter, n + 1, count);
      painter.save();
      painter.setClipRect(QRectF(0, header_height_, width_, height_ - header_height_));
      for (const auto& [block, y] : pages_[n])
        block->draw(painter, header_height_ + y);
      painter.restore();
    }
  }

private:
  QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, &writer_); }

  // Lines break between words, and inside a word only when it is wider
  // than the line: an address or a hash stays whole where it can.
  int flags(const QString& text, const QFont& f, qreal width) const {
    QFontMetricsF m = metrics(f);
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
      if (m.horizontalAdvance(word) > width) return kTop | Qt::TextWrapAnywhere;
    return kTop | Qt::TextWordWrap;
  }

  qreal text_height(const QString& text, const QFont& f, qreal width) const {
    QFontMetricsF m = metrics(f);
    if (!text.contains(QLatin1Char('\n')) && m.horizontalAdvance(text) <= width) return m.height();
    return m.boundingRect(QRectF(0, 0, width, 1e9), flags(text, f, width), text).height();
  }

  void add_text(const std::string& text, const QFont& f, qreal gap, bool keep_with_next = false) {
    QString t = q(text);
    qreal h = gap + text_height(t, f, width_) + kPadding;
    const int wrap = flags(t, f, width_);
    blocks_.push_back({h,
                       [this, t, f, gap, wrap](QPainter& p, qreal top) {
                         p.setFont(f);
                         p.drawText(QRectF(0, top + gap, width_, 1e9), wrap, t);
                       },
                       keep_with_next});
  }

  std::vector<qreal> column_widths(const doc::Table& table, std::size_t cells) const {
    if (table.columns.empty()) return {width_ * kLabelShare, width_ * (1 - kLabelShare)};
    int total = std::accumulate(table.columns.begin(), table.columns.end(), 0,
                                [](int sum, const doc::Column& c) { return sum + std::max(c.weight, 1); });
    std::vector<qreal> widths;
    for (const doc::Column& c : table.columns)
      widths.push_back(width_ * std::max(c.weight, 1) / total);
    widths.resize(std::max(widths.size(), cells), widths.empty() ? width_ : widths.back());
    return widths;
  }

  void add_row(const doc::Table& table, const std::vector<std::string>& cells, bool heading, bool grid) {
    std::vector<qreal> widths = column_widths(table, cells.size());
    std::vector<QString> texts;
    qreal h = 0;
    for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i) {
      texts.push_back(q(cells[i]));
      h = std::max(h, text_height(texts.back(), heading ? bold_ : body_, widths[i] - 2 * kPadding));
    }
    h += 2 * kPadding;
    std::vector<int> aligns;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      int align = flags(texts[i], heading ? bold_ : body_, widths[i] - 2 * kPadding);
      if (i < table.columns.size() && table.columns[i].align == doc::Align::Right)
        align = (align & ~Qt::AlignLeft) | Qt::AlignRight;
      aligns.push_back(align);
    }
    Row row{std::move(texts), std::move(widths), std::move(aligns), h, heading, grid};
    blocks_.push_back(
        {h, [this, row](QPainter& p, qreal top) { draw_row(p, top, row); }, false, grid ? &table : nullptr});
  }

  // A table row's cells as laid out, ready to draw anywhere on a page.
  struct Row {
    std::vector<QString> texts;
    std::vector<qreal> widths;
    std::vector<int> aligns;
    qreal height;
    bool heading, grid;
  };

  void draw_row(QPainter& p, qreal top, const Row& row) const {
    qreal x = 0;
    for (std::size_t i = 0; i < row.texts.size(); ++i) {
      QRectF cell(x, top, row.widths[i], row.height);
      if (row.grid) {
        if (row.heading) p.fillRect(cell, QColor(0xee, 0xee, 0xee));
        p.setPen(QPen(QColor(0xbb, 0xbb, 0xbb), kRule));
        p.drawRect(cell);
      }
      // A label beside its value is quieter than the value.
      p.setPen(!row.grid && i == 0 ? QColor(0x44, 0x44, 0x44) : QColor(Qt::black));
      p.setFont(row.heading ? bold_ : body_);
      p.drawText(cell.adjusted(kPadding, kPadding, -kPadding, -kPadding), row.aligns[i], row.texts[i]);
      x += row.widths[i];
    }
    p.setPen(Qt::black);
  }

  void add_table(const doc::Table& table) {
    const bool grid = !table.columns.empty() && table.heading_row;
    if (grid) {
      std::vector<std::string> titles;
      for (const doc::Column& c : table.columns)
        titles.push_back(c.title);
      heading_rows_[&table] = blocks_.size();
      add_row(table, titles, true, true);
      blocks_.back().keep_with_next = !table.rows.empty();
    }
    for (const auto& row : table.rows)
      add_row(table, row, false, grid);
  }

  void draw_header(QPainter& p, int page, int count) {
    p.setFont(small_);
    p.setPen(QColor(0x44, 0x44, 0x44));
    QString number = q(document_.page_number).arg(QString::number(page), QString::number(count));
    qreal number_width = metrics(small_).horizontalAdvance(number) + kPadding;
    QRectF line(0, 0, width_, metrics(small_).height());
    p.drawText(line.adjusted(0, 0, -number_width, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               metrics(small_).elidedText(q(document_.page_header), Qt::ElideRight, width_ - number_width));
    p.drawText(line, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, number);
    p.setPen(QPen(QColor(0x88, 0x88, 0x88), kRule));
    qreal y = header_height_ - 2 * kPadding;
    p.drawLine(QPointF(0, y), QPointF(width_, y));
    p.setPen(Qt::black);
  }

  QPdfWriter& writer_;
  const doc::Document& document_;
  QFont body_, small_, bold_, heading_, title_;
  qreal width_ = 0, height_ = 0, header_height_ = 0;
  std::vector<Block> blocks_;
  std::map<const doc::Table*, std::size_t> heading_rows_;
  std::vector<std::vector<std::pair<const Block*, qreal>>> pages_;
};
} // namespace

std::string QtPdfRenderer::render(const doc::Document& document) {
  ensure_gui_application();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle(q(document.title));
    Layout layout(writer, document);
    layout.build();
    layout.paginate();
    QPainter painter;
    if (!painter.begin(&writer)) throw FileError("PDF: the page could not be painted");
    layout.draw(painter);
    if (!painter.end()) throw FileError("PDF: the document could not be finished");
  }
  return buffer.data().toStdString();
}

} // namespace lw
