// The channel table worked as a lighting technician works it: fill, ramp,
// paste over a selection, sheets in and out, each edit one undo step, and
// nothing written before OK.
#include "params/dmx_defaults.h"
#include "temp_dir.h"
#include "ui/dmx_editor.h"
#include "ui/dmx_table_model.h"
#include "ui/level_strip.h"
#include "ui_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {

struct Editor : UiFixture {
  Editor() {
    open_configuration("A");
    d = app->FDMXDefVal;
    d->show();
    QApplication::setActiveWindow(d);
  }
  ~Editor() { d->hide(); }
  std::vector<std::string> values(int first, int last) const {
    std::vector<std::string> out;
    for (int r = first; r <= last; ++r)
      out.push_back(d->model->rows()[std::size_t(r)].Default_Value);
    return out;
  }
  void select(int top, int left, int bottom, int right) {
    QTableView* grid = d->ACG_DMX_Def_Val;
    grid->setCurrentIndex(d->model->index(top, left));
    grid->selectionModel()->select(QItemSelection(d->model->index(top, left), d->model->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
  }
  void undo() { d->actions.undo->trigger(); }
  void redo() { d->actions.redo->trigger(); }
  lw::ui::TFDMXDefVal* d;
};

using Values = std::vector<std::string>;

} // namespace

class DmxEditorTest : public QObject {
  Q_OBJECT
private slots:
  void fillAsksForALevelAndIsOneStep() {
    Editor e;
    QVERIFY(!e.d->actions.undo->isEnabled());
    e.select(1, 1, 4, 1);
    lw::test::when_modal_opens([](QWidget* modal) {
      auto* ask = qobject_cast<QInputDialog*>(modal);
      QVERIFY(ask);
      ask->setTextValue(u"50%"_s);
      ask->accept();
    });
    QTest::mouseClick(e.d->Btn_Fill, Qt::LeftButton);
    QCOMPARE(e.values(0, 5), (Values{"0", "128", "128", "128", "128", "0"}));
    QVERIFY(e.d->actions.undo->isEnabled());
    e.undo();
    QCOMPARE(e.values(0, 5), Values(6, "0"));
    e.redo();
    QCOMPARE(e.values(0, 5), (Values{"0", "128", "128", "128", "128", "0"}));
    // A level the rule refuses is reported and changes nothing.
    e.d->fill_selection_with(u"256"_s);
    QCOMPARE(e.messages.last_text(),
             std::string("A level is an integer from 0 to 255 or a percentage from 0% to 100%, not: 256"));
    QCOMPARE(e.values(1, 1), Values{"128"});
  }

  void rampRunsFromTheFirstToTheLastSelectedValue() {
    Editor e;
    e.d->model->setData(e.d->model->index(10, 1), u"200"_s, Qt::EditRole);
    e.select(6, 1, 10, 2);
    QTest::mouseClick(e.d->Btn_Ramp, Qt::LeftButton);
    QCOMPARE(e.values(5, 11), (Values{"0", "0", "50", "100", "150", "200", "0"}));
    e.undo();
    QCOMPARE(e.values(6, 10), (Values{"0", "0", "0", "0", "200"}));
    e.undo(); // the cell's own edit
    QCOMPARE(e.values(10, 10), Values{"0"});
    e.redo();
    e.redo();
    QCOMPARE(e.values(6, 10), (Values{"0", "50", "100", "150", "200"}));
    e.select(3, 1, 3, 1);
    QTest::mouseClick(e.d->Btn_Ramp, Qt::LeftButton);
    QCOMPARE(e.messages.last_text(), std::string("Select at least two channels for a ramp"));
  }

  void oneCopiedValueFillsTheSelectionAndUndoShowsWhatItPutBack() {
    Editor e;
    QGuiApplication::clipboard()->setText(u"7\n"_s);
    e.select(20, 1, 22, 2);
    e.d->paste_clipboard();
    for (int r = 20; r <= 22; ++r)
      QCOMPARE(e.d->model->rows()[std::size_t(r)], (lw::DMX_Def_Row{"7", "7"}));
    QCOMPARE(e.values(23, 23), Values{"0"});
    e.select(0, 1, 0, 1);
    e.undo();
    QCOMPARE(e.d->model->rows()[21], (lw::DMX_Def_Row{"0", ""}));
    // The rows put back are selected and in sight.
    QCOMPARE(e.d->ACG_DMX_Def_Val->currentIndex().row(), 20);
    QCOMPARE(e.d->ACG_DMX_Def_Val->selectionModel()->selectedIndexes().size(), 6);
    // Clear and step are steps too.
    e.select(20, 1, 21, 1);
    e.d->step_selection(16);
    QCOMPARE(e.values(20, 21), (Values{"16", "16"}));
    e.d->clear_selection();
    QCOMPARE(e.values(20, 21), (Values{"", ""}));
    e.undo();
    e.undo();
    QCOMPARE(e.values(20, 21), (Values{"0", "0"}));
    QVERIFY(!e.d->actions.undo->isEnabled());
  }

  void importIsOneStepAndWrittenOnlyOnOk() {
    Editor e;
    std::string sheet = e.dir.file("patch.csv");
    lw::test::write_file(sheet, "\xEF\xBB\xBF"
                                "Mnemonic;Value;Channel;Notes\r\n"
                                "\"wash; left\";100%;2;x\r\n"
                                "dimmer;10;4;\r\n");
    e.files.answer = sheet;
    QTest::mouseClick(e.d->Btn_Import_CSV, Qt::LeftButton);
    QCOMPARE(e.d->model->rows()[1], (lw::DMX_Def_Row{"255", "wash; left"}));
    QCOMPARE(e.d->model->rows()[3], (lw::DMX_Def_Row{"10", "dimmer"}));
    QCOMPARE(e.d->L_Import_Summary->text(), u"Channels changed by the import: 2"_s);
    QVERIFY(!stdfs::exists(e.app->conf.File_DMX_Default));
    // The work goes on in the grid, and undo reaches it from a button too.
    QCOMPARE(QApplication::focusWidget(), e.d->ACG_DMX_Def_Val);
    e.d->Btn_Fill->setFocus();
    QTest::keyClick(e.d->Btn_Fill, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e.d->model->rows(), lw::DMX_Def_Table(512));
    QVERIFY(e.d->L_Import_Summary->text().isEmpty());
    e.redo();
    QCOMPARE(e.d->model->rows()[3].Mnemonic, std::string("dimmer"));

    // A refused sheet changes nothing and makes no step.
    lw::test::write_file(sheet, "Channel,Value\n1,5\n2,300\n");
    int steps = e.d->model->undoStack()->count();
    e.d->import_csv_from(QString::fromStdString(sheet));
    QCOMPARE(e.messages.last_text(), sheet + ": row 3: Value 300 must be between 0 and 255");
    QCOMPARE(e.d->model->rows()[0].Default_Value, std::string("0"));
    QCOMPARE(e.d->model->undoStack()->count(), steps);

    QTest::mouseClick(e.d->Btn_OK, Qt::LeftButton);
    auto saved = lw::Load_DMX_Defaults(e.app->conf.File_DMX_Default, 512);
    QCOMPARE(saved[1], (lw::DMX_Def_Row{"255", "wash; left"}));
  }

  // A sheet exported from the grid and read back over later edits gives the
  // same file, byte for byte.
  void exportThenImportGivesTheSameFile() {
    Editor e;
    for (int r = 0; r < 512; r += 7)
      e.d->model->setData(e.d->model->index(r, 2), u"ch \"%1\", <&>; x"_s.arg(r), Qt::EditRole);
    e.d->model->setData(e.d->model->index(3, 1), u"017"_s, Qt::EditRole);
    e.d->model->setData(e.d->model->index(4, 1), u"200"_s, Qt::EditRole);
    QTest::mouseClick(e.d->Btn_OK, Qt::LeftButton);
    std::string first = lw::test::read_file(e.app->conf.File_DMX_Default);
    e.d->show();
    QString sheet = QString::fromStdString(e.dir.file("round.csv"));
    e.d->export_csv_to(sheet);
    e.select(4, 1, 511, 2);
    e.d->clear_selection();
    e.d->fill_selection_with(u"9"_s);
    e.d->import_csv_from(sheet);
    QTest::mouseClick(e.d->Btn_OK, Qt::LeftButton);
    QCOMPARE(lw::test::read_file(e.app->conf.File_DMX_Default), first);
  }

  // The export is what the grid shows, saved or not.
  void exportWritesTheShownRows() {
    Editor e;
    e.d->model->setData(e.d->model->index(0, 1), u"99"_s, Qt::EditRole);
    std::string sheet = e.dir.file("shown.csv");
    e.files.answer = sheet;
    QTest::mouseClick(e.d->Btn_Export_CSV, Qt::LeftButton);
    QVERIFY(
        lw::test::read_file(sheet).starts_with("Channel,Value,Mnemonic,Register (0-based)\r\n1,99,,\r\n"));
    QVERIFY(!stdfs::exists(e.app->conf.File_DMX_Default));
  }

  // Escape loses nothing unasked: with changes the user confirms, and a No
  // keeps the editor and its rows.
  void cancelAsksBeforeChangesAreLost() {
    Editor e;
    QTest::keyClick(e.d->ACG_DMX_Def_Val, Qt::Key_Escape);
    QVERIFY(!e.d->isVisible());
    QVERIFY(e.messages.shown.empty());

    e.d->show();
    QApplication::setActiveWindow(e.d);
    e.select(2, 1, 2, 1);
    e.d->step_selection(5);
    e.messages.answer_yes = false;
    QTest::keyClick(e.d->ACG_DMX_Def_Val, Qt::Key_Escape);
    QVERIFY(e.d->isVisible());
    QCOMPARE(e.messages.last_text(), std::string("Discard the changes made to the channel table?"));
    QCOMPARE(e.values(2, 2), Values{"5"});
    e.messages.answer_yes = true;
    QTest::mouseClick(e.d->Btn_Cancel, Qt::LeftButton);
    QVERIFY(!e.d->isVisible());
    QVERIFY(!stdfs::exists(e.app->conf.File_DMX_Default));

    // A change undone is no change.
    e.d->show();
    e.select(2, 1, 2, 1);
    e.d->step_selection(5);
    e.undo();
    std::size_t asked = e.messages.shown.size();
    e.d->reject();
    QVERIFY(!e.d->isVisible());
    QCOMPARE(e.messages.shown.size(), asked);
  }

  // The strip of levels follows every edit and the grid's row, and a click
  // on a bar brings its channel's row.
  void theLevelStripStaysInStepWithTheGrid() {
    Editor e;
    lw::ui::LevelStrip* strip = e.d->Strip_Levels;
    QCOMPARE(strip->levels().size(), std::size_t(512));
    e.d->model->setData(e.d->model->index(5, 1), u"200"_s, Qt::EditRole);
    QCOMPARE(strip->levels()[5], std::int16_t(200));
    e.d->model->setData(e.d->model->index(6, 1), u"x"_s, Qt::EditRole);
    QCOMPARE(strip->levels()[6], lw::kBadLevel);
    e.undo();
    e.undo();
    QCOMPARE(strip->levels()[5], std::int16_t(0));
    QCOMPARE(strip->levels()[6], std::int16_t(0));
    e.select(40, 1, 40, 1);
    QCOMPARE(strip->currentChannel(), 40);
    QRect bar = strip->channelRect(300);
    QVERIFY(!bar.isEmpty());
    QTest::mouseClick(strip, Qt::LeftButton, {}, bar.center());
    QCOMPARE(e.d->ACG_DMX_Def_Val->currentIndex().row(), 300);
    QCOMPARE(e.d->ACG_DMX_Def_Val->currentIndex().column(), 1);
    QCOMPARE(strip->currentChannel(), 300);
  }
};

QTEST_MAIN(DmxEditorTest)
#include "dmx_editor_test.moc"
