#include "core/text_ids.h"
#include "site_units.h"
#include "ui/boot_dialog.h"
#include "ui/dmx_editor.h"
#include "ui/duplicate_conf_dialog.h"
#include "ui/link_label.h"
#include "ui/main_window.h"
#include "ui/soft_options_dialog.h"
#include "ui/widgets.h"
#include "ui_fixture.h"
#include "window_logic/startup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <functional>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {

// What a plain X server without a desktop gives the program: the platform's
// 9-point sans serif, which fontconfig resolves to DejaVu Sans, drawn by the
// Fusion style. Pinned so that every machine measures alike.
constexpr int kPointSize = 9;
const QString kFamily = u"DejaVu Sans"_s;

// One caption and the room its control gives it, both in pixels.
struct Caption {
  QWidget* control;
  QString text;
  int needed;
  int room;
};

int mnemonic_width(const QFontMetrics& fm, const QString& text) {
  return fm.size(Qt::TextShowMnemonic, text).width();
}

QString plain(const QLabel* label) {
  if (label->textFormat() == Qt::PlainText ||
      (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text())))
    return label->text();
  QTextDocument doc;
  doc.setHtml(label->text());
  return doc.toPlainText();
}

bool drawn_frame(const QWidget* widget) {
  auto* frame = qobject_cast<const QFrame*>(widget);
  return frame && !qobject_cast<const QLabel*>(widget) && frame->frameShape() != QFrame::NoFrame;
}

// How far right of x (in the label's parent) the label's text may run: to
// the first visible sibling beside it, or inside a frame around it as far
// from the frame's right side as the label stands from its left side.
// Siblings that share only a sliver of its height stand above or below it.
int sibling_bound(const QLabel* label, int x) {
  QWidget* parent = label->parentWidget();
  int bound = parent->contentsRect().right() + 1;
  const QRect box = label->geometry();
  for (QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == label || !other->isVisibleTo(label->window())) continue;
    const QRect g = other->geometry();
    if (g.intersected(QRect(g.left(), box.top(), g.width(), box.height())).height() * 2 <= box.height())
      continue;
    if (g.contains(box.topLeft()) && drawn_frame(other)) {
      QRect inside = other->contentsRect().translated(g.topLeft());
      bound = std::min(bound, inside.right() + 1 - (box.left() - inside.left()));
    } else if (g.left() > x)
      bound = std::min(bound, g.left());
  }
  return bound;
}

// The text's left edge in the widget, as the alignment puts it in `area`.
int text_left(QRect area, Qt::Alignment alignment, int width) {
  if (alignment & Qt::AlignRight) return area.right() + 1 - width;
  if (alignment & Qt::AlignHCenter) return area.left() + (area.width() - width) / 2;
  return area.left();
}

// Pixels of [left, left + width) in `widget` hidden by any of its ancestors'
// edges, up to its window.
int hidden_by_ancestors(const QWidget* widget, int left, int width) {
  int hidden = 0;
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    int at = widget->mapTo(w, QPoint(left, 0)).x();
    hidden = std::max({hidden, -at, at + width - w->width()});
    if (w->isWindow()) break;
  }
  return hidden;
}

void add_label(QLabel* label, std::vector<Caption>& out) {
  if (label->wordWrap()) return;
  QString text = plain(label);
  if (text.trimmed().isEmpty()) return;
  // A label naming a control shows its mnemonic underlined, not the '&'.
  int needed = label->buddy() ? mnemonic_width(label->fontMetrics(), text)
                              : label->fontMetrics().horizontalAdvance(text);
  QRect area = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
  int left = text_left(area, label->alignment(), needed);
  int at = label->x() + left;
  int room = std::min(area.width(), sibling_bound(label, at) - at);
  room -= hidden_by_ancestors(label, left, std::min(needed, area.width()));
  out.push_back({label, text, needed, room});
}

void add_button(QAbstractButton* button, std::vector<Caption>& out) {
  QString text = button->text();
  if (text.isEmpty()) return;
  int needed = mnemonic_width(button->fontMetrics(), text);
  QStyle* style = button->style();
  int room = 0;
  if (auto* step = qobject_cast<lw::ui::StepButton*>(button)) {
    room = step->caption_rect().width();
  } else if (auto* check = qobject_cast<QCheckBox*>(button)) {
    QStyleOptionButton opt;
    opt.initFrom(check);
    opt.text = text;
    room = style->subElementRect(QStyle::SE_CheckBoxContents, &opt, check).width();
  } else if (auto* tool = qobject_cast<QToolButton*>(button)) {
    // Beside its arrow: the button's own size hint, less the text.
    room = tool->width() - (tool->sizeHint().width() - needed);
  } else {
    // Qt's size hint for the caption alone, without its minimum width.
    QStyleOptionButton opt;
    opt.initFrom(button);
    QSize frame = style->sizeFromContents(QStyle::CT_PushButton, &opt, QSize(0, 0), button);
    room = button->width() - frame.width();
    if (!button->icon().isNull()) room -= button->iconSize().width() + 4;
  }
  room -= hidden_by_ancestors(button, 0, button->width());
  out.push_back({button, text, needed, room});
}

void add_combo(QComboBox* combo, std::vector<Caption>& out) {
  QStyleOptionComboBox opt;
  opt.initFrom(combo);
  opt.editable = combo->isEditable();
  opt.frame = combo->hasFrame();
  int room =
      combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
  for (int i = 0; i < combo->count(); ++i) {
    QString text = combo->itemText(i);
    out.push_back({combo, text, combo->fontMetrics().horizontalAdvance(text), room});
  }
}

void add_tabs(QTabBar* bar, std::vector<Caption>& out) {
  for (int i = 0; i < bar->count(); ++i) {
    QStyleOptionTab opt;
    opt.initFrom(bar);
    QRect tab = bar->tabRect(i);
    int room = tab.width() - bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &opt, bar);
    room -= std::max(0, tab.right() + 1 - bar->width()); // behind the scroll arrows
    QString text = bar->tabText(i);
    out.push_back({bar, text, mnemonic_width(bar->fontMetrics(), text), room});
  }
}

int header_room(QHeaderView* header, int width) {
  QStyleOptionHeader opt;
  opt.initFrom(header);
  opt.rect = QRect(0, 0, width, header->height());
  return header->style()->subElementRect(QStyle::SE_HeaderLabel, &opt, header).width();
}

void add_grid(QTableView* grid, std::vector<Caption>& out) {
  QHeaderView* top = grid->horizontalHeader();
  QAbstractItemModel* model = grid->model();
  // The heading of the current cell's column is drawn in bold.
  QFont font = top->font();
  font.setBold(top->highlightSections());
  QFontMetrics metrics(font);
  for (int c = 0; c < model->columnCount(); ++c) {
    if (grid->isColumnHidden(c)) continue;
    QString text = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    out.push_back({top, text, metrics.horizontalAdvance(text), header_room(top, top->sectionSize(c))});
  }
  // The heading over the row headers, when there are row headers.
  if (grid->verticalHeader()->isVisibleTo(grid))
    if (auto* corner = grid->findChild<QAbstractButton*>(); corner && !corner->text().isEmpty())
      out.push_back({corner, corner->text(), top->fontMetrics().horizontalAdvance(corner->text()),
                     header_room(top, grid->verticalHeader()->width())});
}

// Every caption of the window as it stands, its tab pages each in turn.
std::vector<Caption> captions(QWidget* window) {
  std::vector<Caption> out;
  auto measure_visible = [&] {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->window() != window || !w->isVisibleTo(window)) continue;
      if (auto* label = qobject_cast<QLabel*>(w))
        add_label(label, out);
      else if (auto* bar = qobject_cast<QTabBar*>(w))
        add_tabs(bar, out);
      else if (auto* combo = qobject_cast<QComboBox*>(w))
        add_combo(combo, out);
      else if (auto* grid = qobject_cast<QTableView*>(w))
        add_grid(grid, out);
      else if (auto* button = qobject_cast<QAbstractButton*>(w);
               button && !w->parent()->inherits("QTableView"))
        add_button(button, out);
    }
  };
  QList<QTabWidget*> tab_widgets;
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
    if (tabs->window() == window) tab_widgets << tabs;
  if (tab_widgets.isEmpty()) measure_visible();
  for (QTabWidget* tabs : tab_widgets) {
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      QCoreApplication::processEvents();
      measure_visible();
    }
    tabs->setCurrentIndex(0);
  }
  return out;
}

QString where(const Caption& c) {
  QStringList path;
  for (QWidget* w = c.control; w; w = w->parentWidget()) {
    if (!w->objectName().isEmpty()) path.prepend(w->objectName());
    if (w->isWindow()) break;
  }
  return path.join(u'/');
}

const char* const kShippedLanguages[] = {"English", "Italiano", "Deutsch", "Français", "Español"};

// The program in a folder with every shipped language, switched to one.
struct InLanguage : UiFixture {
  explicit InLanguage(const QString& language)
      : UiFixture([](const lw::test::TempDir& dir) {
          stdfs::create_directories(dir.file("LANGUAGE"));
          for (const char* name : kShippedLanguages)
            stdfs::copy_file(lw::test::fs_path(std::string(LOOMWORK_SOURCE "/LANGUAGE/") + name + ".lng"),
                             lw::test::fs_path(dir.file("LANGUAGE/" + std::string(name) + ".lng")));
        }) {
    open_configuration("Line 3");
    app->settings.Language_Name = language.toStdString();
    problem = lw::load_chosen_language(app->catalogue, app->folders.Language_Dir, app->settings);
    app->FLoomworkeFirmWare->Change_Language();
  }
  QString text(int index) const { return QString::fromStdString(app->catalogue.text(index)); }
  std::optional<std::string> problem;
};

// The states of a window whose captions change while it is shown; each runs
// before the window is measured once more.
std::vector<std::function<void()>> states_of(InLanguage& f, QWidget* window) {
  auto& a = *f.app;
  if (window == a.FDuplicateConf) {
    auto& d = *a.FDuplicateConf;
    return {[&] { d.show_mode(false); }, [&] { d.show_mode(true); }};
  }
  if (window == a.FLoomworkeFirmWare.get()) {
    auto& w = *a.FLoomworkeFirmWare;
    return {[&] {
              w.show_config_labels(a.catalogue.text(lw::text_id::kNoConfigurationOpen),
                                   a.catalogue.text(lw::text_id::kNoConfigurationHint));
              w.show_update_link(true, a.catalogue.text(lw::text_id::kNewVersionLink), "http://127.0.0.1/");
            },
            [&] {
              w.show_config_labels(a.catalogue.text(lw::text_id::kConfigurationOpened), a.conf.Conf_Name);
              w.show_update_link(false, {}, {});
            }};
  }
  if (window == a.FSoftOptions) {
    auto& d = *a.FSoftOptions;
    return {[&] {
              d.Btn_Prev->show();
              d.LL_Check_Update->show_plain(a.catalogue.text(lw::text_id::kNoUpdateAvailable));
              d.LL_Check_Update->show();
            },
            [&] {
              d.LL_Check_Update->show_link(a.catalogue.text(lw::text_id::kNewVersionAvailable),
                                           "http://127.0.0.1/");
            }};
  }
  if (window == a.FBoot) {
    auto& d = *a.FBoot;
    // The widest address: the note beside the fields names it, and the
    // device moves to it from the address typed.
    return {[] {},
            [&] {
              lw::Save_Par_Gen(a.conf.File_ParGen, lw::test::set_at("200.200.200.200"));
              d.FormShow();
              d.E_IP[0]->setText(u"10"_s);
            }};
  }
  return {[] {}};
}

} // namespace

class CaptionFitTest : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QApplication::setStyle(u"Fusion"_s);
    QApplication::setFont(QFont(kFamily, kPointSize));
    QVERIFY2(QFontInfo(QApplication::font()).family() == kFamily, "DejaVu Sans is not installed");
  }

  void everyCaptionFitsItsControl_data() {
    QTest::addColumn<QString>("language");
    for (const char* name : kShippedLanguages)
      QTest::newRow(name) << QString::fromUtf8(name);
  }

  // Each label, button, check box, choice, tab and grid heading of every
  // window shows its whole text in the room its control gives it.
  void everyCaptionFitsItsControl() {
    QFETCH(QString, language);
    InLanguage f(language);
    QVERIFY(!f.problem);
    QCOMPARE(QString::fromStdString(f.app->settings.Language_Name), language);
    QStringList cut;
    int measured = 0;
    for (const auto& w : f.app->windows()) {
      w.widget->show();
      for (const auto& state : states_of(f, w.widget)) {
        state();
        QCoreApplication::processEvents();
        for (const Caption& c : captions(w.widget)) {
          ++measured;
          if (c.needed > c.room)
            cut << u"%1 \"%2\": %3 px wide, room %4 px"_s.arg(where(c), c.text).arg(c.needed).arg(c.room);
        }
      }
      w.widget->hide();
    }
    cut.removeDuplicates();
    QVERIFY2(measured > 100, qPrintable(QString::number(measured)));
    QVERIFY2(cut.isEmpty(), qPrintable(u"\n"_s + cut.join(u'\n')));
  }

  // A caption one pixel too wide for its room is found: the measuring can fail.
  void aCaptionTooWideIsFound() {
    InLanguage f(u"English"_s);
    auto& w = *f.app->FLoomworkeFirmWare;
    w.show();
    auto* step = static_cast<lw::ui::StepButton*>(w.Btn_New);
    QString text = u"M"_s;
    while (w.fontMetrics().horizontalAdvance(text) <= step->caption_rect().width())
      text += u'M';
    w.Btn_New->setText(text);
    w.L_Step[0]->setText(u"Step 1 and more"_s);
    w.L_Step[0]->adjustSize();
    QStringList cut;
    for (const Caption& c : captions(&w))
      if (c.needed > c.room) cut << c.control->objectName();
    QCOMPARE(cut, QStringList({u"L_Step_1"_s, u"Btn_New"_s}));
  }
};

QTEST_MAIN(CaptionFitTest)
#include "caption_fit_test.moc"
