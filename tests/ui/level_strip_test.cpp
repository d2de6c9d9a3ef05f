// The strip of channel levels: bars by level, the bad value marked, 512 at
// a glance and a scroll bar for more, clicks naming the channel under the
// pointer, the current channel kept in sight.
#include "params/dmx_levels.h"
#include "ui/level_strip.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using lw::ui::LevelStrip;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFrame = 1;
constexpr int kGlanceWidth = 512 + 2 * kFrame;
constexpr int kBarsHeight = 60;

std::vector<std::int16_t> flat(int channels, std::int16_t level = 0) {
  return std::vector<std::int16_t>(static_cast<std::size_t>(channels), level);
}

QImage rendered(LevelStrip& strip) {
  QImage image(strip.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  strip.render(&image);
  return image;
}

QRgb colour(const LevelStrip& strip, QPalette::ColorRole role) { return strip.palette().color(role).rgb(); }

// How many pixels of one colour rise from the bottom of the bars at x.
int rise(const QImage& image, int x, QRgb colour) {
  int n = 0;
  while (n < kBarsHeight && image.pixel(x, kFrame + kBarsHeight - 1 - n) == colour)
    ++n;
  return n;
}

// A strip whose 512 bars are each a pixel wide and 60 high, shown so that
// it gets mouse events and tool tips.
void glance(LevelStrip& strip, std::vector<std::int16_t> levels) {
  strip.setLevels(std::move(levels));
  strip.resize(kGlanceWidth, kBarsHeight + 2 * kFrame + strip.scrollBar()->sizeHint().height());
  strip.show();
}

int bars_middle() { return kFrame + kBarsHeight / 2; }

void press(QWidget* w, QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF at(x, bars_middle());
  QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

} // namespace

class LevelStripTest : public QObject {
  Q_OBJECT
private slots:
  void barsRiseFromTheBaselineByLevel() {
    LevelStrip strip;
    auto levels = flat(512);
    levels[1] = 128;
    levels[2] = 255;
    levels[3] = lw::kBadLevel;
    levels[4] = 64;
    levels[511] = 255;
    strip.setLevels(levels);
    strip.resize(kGlanceWidth, kBarsHeight + 2 * kFrame);
    const QImage image = rendered(strip);
    const QRgb bar = colour(strip, QPalette::Highlight);
    const QRgb bad = colour(strip, QPalette::WindowText);
    QVERIFY(bar != bad);
    // Channel k stands at x = 1 + k, a pixel wide, as tall as level / 255.
    QCOMPARE(strip.channelRect(4), QRect(kFrame + 4, kFrame, 1, kBarsHeight));
    QCOMPARE(rise(image, kFrame + 0, bar), 0);
    QCOMPARE(rise(image, kFrame + 1, bar), 30);
    QCOMPARE(rise(image, kFrame + 2, bar), kBarsHeight);
    QCOMPARE(rise(image, kFrame + 4, bar), 15);
    QCOMPARE(rise(image, kFrame + 511, bar), kBarsHeight);
    // A bad value fills its column in the text colour, not in the bars'.
    QCOMPARE(rise(image, kFrame + 3, bad), kBarsHeight);
    QCOMPARE(rise(image, kFrame + 3, bar), 0);
    QCOMPARE(image.pixel(kFrame + 1, kFrame), colour(strip, QPalette::Base));
  }

  void anUpdateRedrawsTheEditedRows() {
    LevelStrip strip;
    lw::DMX_Def_Table table(512);
    table[5].Default_Value = "200";
    strip.setLevels(lw::dmx_levels(table));
    strip.resize(kGlanceWidth, kBarsHeight + 2 * kFrame);
    table[5].Default_Value = "abc";
    table[6].Default_Value = "255";
    strip.updateLevels(5, 6, table);
    QCOMPARE(strip.levels(), lw::dmx_levels(table));
    const QImage image = rendered(strip);
    QCOMPARE(rise(image, kFrame + 5, colour(strip, QPalette::WindowText)), kBarsHeight);
    QCOMPARE(rise(image, kFrame + 6, colour(strip, QPalette::Highlight)), kBarsHeight);
  }

  void fiveHundredTwelveAtAGlanceMoreScroll_data() {
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("barWidth"); // of the first bar
    QTest::newRow("512 fit") << 512 << kGlanceWidth << 512 << 1;
    QTest::newRow("600 scroll") << 600 << kGlanceWidth << 512 << 1;
    QTest::newRow("65535 scroll") << 65535 << kGlanceWidth << 512 << 1;
    QTest::newRow("wider: 512 fill it") << 512 << 1024 + 2 * kFrame << 512 << 2;
    QTest::newRow("wider, uneven") << 600 << 1300 + 2 * kFrame << 512 << 2;
    QTest::newRow("fewer channels fill it") << 100 << kGlanceWidth << 100 << 5;
    QTest::newRow("narrower: a pixel each") << 512 << 300 + 2 * kFrame << 300 << 1;
  }
  void fiveHundredTwelveAtAGlanceMoreScroll() {
    QFETCH(int, channels);
    QFETCH(int, width);
    QFETCH(int, perPage);
    QFETCH(int, barWidth);
    LevelStrip strip;
    strip.setLevels(flat(channels));
    strip.resize(width, strip.sizeHint().height());
    strip.show();
    QCOMPARE(strip.scrollBar()->isHidden(), channels == perPage);
    QCOMPARE(strip.scrollBar()->maximum(), channels - perPage);
    QCOMPARE(strip.channelRect(0).left(), kFrame);
    QCOMPARE(strip.channelRect(0).width(), barWidth);
    QCOMPARE(strip.channelRect(perPage - 1).right(), width - kFrame - 1);
    QVERIFY(!strip.channelRect(perPage).isValid());
    for (int row = 1; row < perPage; ++row)
      QCOMPARE(strip.channelRect(row).left(), strip.channelRect(row - 1).right() + 1);
  }

  void itsSizeShowsAUniverseAtAGlance() {
    LevelStrip strip;
    strip.setLevels(flat(512));
    strip.resize(strip.sizeHint());
    QVERIFY(strip.scrollBar()->isHidden());
    QVERIFY(strip.channelRect(511).isValid());
    QCOMPARE(strip.minimumSizeHint().width(), kGlanceWidth);
    const int bars = strip.sizeHint().height() - strip.scrollBar()->sizeHint().height();
    QVERIFY2(bars >= 60 && bars <= 80, qPrintable(QString::number(bars)));
  }

  void clicksAndDragsNameTheChannelUnderThePointer() {
    LevelStrip strip;
    glance(strip, flat(65535));
    QSignalSpy clicked(&strip, &LevelStrip::channelClicked);
    press(&strip, QEvent::MouseButtonPress, kFrame + 7, Qt::LeftButton, Qt::LeftButton);
    press(&strip, QEvent::MouseButtonRelease, kFrame + 7, Qt::LeftButton, Qt::NoButton);
    strip.scrollBar()->setValue(1000);
    press(&strip, QEvent::MouseButtonPress, kFrame + 10, Qt::LeftButton, Qt::LeftButton);
    press(&strip, QEvent::MouseMove, kFrame + 10, Qt::NoButton, Qt::LeftButton);
    press(&strip, QEvent::MouseMove, kFrame + 12, Qt::NoButton, Qt::LeftButton);
    press(&strip, QEvent::MouseMove, 5000, Qt::NoButton, Qt::LeftButton);
    press(&strip, QEvent::MouseButtonRelease, 5000, Qt::LeftButton, Qt::NoButton);
    press(&strip, QEvent::MouseMove, kFrame + 20, Qt::NoButton, Qt::NoButton);
    press(&strip, QEvent::MouseButtonPress, kFrame + 30, Qt::RightButton, Qt::RightButton);
    QList<int> rows;
    for (const auto& args : clicked)
      rows << args.at(0).toInt();
    QCOMPARE(rows, (QList<int>{7, 1010, 1012, 1511}));

    // Twice as wide: two pixels a channel.
    strip.resize(2 * 512 + 2 * kFrame, strip.height());
    clicked.clear();
    press(&strip, QEvent::MouseButtonPress, kFrame + 2 * 5 + 1, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(clicked.value(0).value(0).toInt(), 1005);
  }

  void theCurrentChannelIsMarkedAndKeptInSight() {
    LevelStrip strip;
    glance(strip, flat(65535));
    strip.setCurrentChannel(1000);
    QCOMPARE(strip.scrollBar()->value(), 1000 - 511);
    const QImage image = rendered(strip);
    const QRgb base = colour(strip, QPalette::Base);
    const int x = strip.channelRect(1000).left();
    QCOMPARE(x, kFrame + 511);
    QVERIFY(image.pixel(x, kFrame) != base);
    QVERIFY(image.pixel(x, kFrame + kBarsHeight - 1) != base);
    QCOMPARE(image.pixel(x - 3, kFrame), base);

    const int maximum = strip.scrollBar()->maximum();
    for (auto [row, first] : {std::pair{10, 10}, {65534, maximum}, {600, 600}, {700, 600}, {1111, 600}}) {
      strip.setCurrentChannel(row);
      QCOMPARE(strip.scrollBar()->value(), first);
      QCOMPARE(strip.currentChannel(), row);
    }
  }

  void theToolTipNamesTheChannelAndItsValueAsText() {
    LevelStrip strip;
    auto levels = flat(512);
    levels[1] = 128;
    levels[2] = lw::kBadLevel;
    glance(strip, levels);
    strip.setCaptions(u"Kanal"_s, u"Wert"_s, u"falsch"_s);
    auto hover = [&](int x, int y) {
      QHelpEvent event(QEvent::ToolTip, QPoint(x, y), strip.mapToGlobal(QPoint(x, y)));
      QApplication::sendEvent(&strip, &event);
      return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(hover(kFrame + 1, bars_middle()), u"Kanal 2\nWert: 128"_s);
    QCOMPARE(hover(kFrame + 0, bars_middle()), u"Kanal 1\nWert: 0"_s);
    QCOMPARE(hover(kFrame + 2, bars_middle()), u"Kanal 3\nfalsch"_s);
    // Nothing outside the bars.
    hover(kFrame + 2, 0);
    QTRY_VERIFY(!QToolTip::isVisible());
    // A caption that looks like markup shows as written.
    strip.setCaptions(u"<b>Kanal</b>"_s, u"Wert"_s, u"falsch"_s);
    const QString tip = hover(kFrame + 2, bars_middle());
    QVERIFY2(tip.contains(u"&lt;b&gt;Kanal&lt;/b&gt; 3<br>falsch"_s), qPrintable(tip));
  }

  void leavesTheFocusToTheGridAndScrollsByTheWheel() {
    LevelStrip strip;
    glance(strip, flat(4096));
    QCOMPARE(strip.focusPolicy(), Qt::NoFocus);
    QCOMPARE(strip.scrollBar()->focusPolicy(), Qt::NoFocus);
    const QPointF at(kFrame + 100, bars_middle());
    QWheelEvent wheel(at, strip.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&strip, &wheel);
    QVERIFY(strip.scrollBar()->value() > 0);
  }
};

QTEST_MAIN(LevelStripTest)
#include "level_strip_test.moc"
