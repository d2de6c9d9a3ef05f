#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "ui/collapsible_group.h"
#include "ui/dmx_editor.h"
#include "ui/dmx_table_model.h"
#include "ui/main_window.h"
#include "ui/par_gen_editor.h"
#include "ui_fixture.h"
#include "window_logic/startup.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {
QString combo_text(lw::ui::TFParGen2* d, const char* element) {
  return static_cast<QComboBox*>(d->control(element))->currentText();
}
QString edit_text(lw::ui::TFParGen2* d, const char* element) {
  return static_cast<QLineEdit*>(d->control(element))->text();
}
} // namespace

class ParGenEditorTest : public QObject {
  Q_OBJECT
private slots:
  void parGenShowsDefaultsWithoutAFile() {
    UiFixture f;
    f.open_configuration("A");
    lw::test::write_file(f.app->conf.File_ParGen, "<P><MODBUS_SLAVE_DMX_MAP>1</MODBUS_SLAVE_DMX_MAP></P>");
    auto* d = f.app->FParGen2;
    d->FormShow();
    QVERIFY(static_cast<QCheckBox*>(d->control("MODBUS_SLAVE_DMX_MAP"))->isChecked());
    f.open_configuration("B");
    d->FormShow();
    QCOMPARE(combo_text(d, "DMX_DMX"), u"OUT"_s);
    QCOMPARE(edit_text(d, "DMX_Num_Channels"), u"512"_s);
    QCOMPARE(combo_text(d, "MODBUS_SLAVE_SERIAL"), u"RS232"_s);
    QCOMPARE(combo_text(d, "MODBUS_SLAVE_BAUDRATE"), u"115200"_s);
    QCOMPARE(combo_text(d, "MODBUS_SLAVE_PARITY"), u"NONE"_s);
    QCOMPARE(combo_text(d, "MODBUS_SLAVE_STOPBITS"), u"1 Stop Bits"_s);
    QCOMPARE(edit_text(d, "MODBUS_SLAVE_IDDEVICE"), u"10"_s);
    QVERIFY(!static_cast<QCheckBox*>(d->control("MODBUS_SLAVE_DMX_MAP"))->isChecked());
    QCOMPARE(edit_text(d, "Ethernet_IP4"), u"5"_s);
    QCOMPARE(edit_text(d, "Ethernet_GAT4"), u"1"_s);
    QCOMPARE(d->shown_set(), lw::Par_Gen_Set());
  }

  // A blank box is never saved as -1: OK names the field and focuses it.
  void storedIndexOutsideTheItemsShowsNoItemAndOkRefusesIt() {
    UiFixture f;
    f.open_configuration("A");
    const std::string stored = "<P><MODBUS_SLAVE_PARITY>3</MODBUS_SLAVE_PARITY></P>";
    lw::test::write_file(f.app->conf.File_ParGen, stored);
    auto* d = f.app->FParGen2;
    d->show();
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    auto* parity = static_cast<QComboBox*>(d->control("MODBUS_SLAVE_PARITY"));
    QCOMPARE(parity->currentIndex(), -1);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QCOMPARE(f.messages.last_text(), std::string("Modbus Slave / Parity: Select Parity to use in serial"));
    QCOMPARE(lw::test::read_file(f.app->conf.File_ParGen), stored);
    QVERIFY(d->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(parity));
    // With its group folded, OK opens the group to show the field it names.
    d->CP_Modbus_Slave->setExpanded(false);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QVERIFY(d->CP_Modbus_Slave->isExpanded());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(parity));
    d->reject();
  }

  void dotKeyMovesAlongTheOctetChain() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FParGen2;
    d->show();
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    auto* ip4 = static_cast<QLineEdit*>(d->control("Ethernet_IP4"));
    ip4->setFocus();
    QTest::keyClicks(ip4, u"7."_s);
    QCOMPARE(ip4->text(), u"57"_s);
    QVERIFY(d->control("Ethernet_SM1")->hasFocus());
    auto* gat4 = static_cast<QLineEdit*>(d->control("Ethernet_GAT4"));
    gat4->setFocus();
    QTest::keyClick(gat4, '.');
    QVERIFY(gat4->hasFocus());
    QCOMPARE(gat4->text(), u"1"_s);
    QCOMPARE(d->octet_chain.size(), size_t(12));
    d->reject();
  }

  void okTestsThenSavesAndCancelWritesNothing() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FParGen2;
    d->FormShow();
    static_cast<QLineEdit*>(d->control("DMX_Num_Channels"))->setText(u"abc"_s);
    static_cast<QLineEdit*>(d->control("Ethernet_IP1"))->setText(u"300"_s);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QCOMPARE(f.messages.last_text(), std::string("Error DMX!! Channel Number must be between 24 and 512"));
    QVERIFY(!stdfs::exists(f.app->conf.File_ParGen));
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    QVERIFY(!stdfs::exists(f.app->conf.File_ParGen));
    d->FormShow();
    static_cast<QLineEdit*>(d->control("DMX_Num_Channels"))->setText(u"0100"_s);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(lw::Load_Par_Gen(f.app->conf.File_ParGen).DMX_Num_Channels, std::string("0100"));
  }

  // The notes show under the Ethernet group, scrolled into sight, and leave
  // the editor open with nothing written; OK again saves and closes.
  void addressingNotesShowUnderTheEthernetGroup() {
    UiFixture f;
    f.open_configuration("B");
    lw::Par_Gen_Set stored;
    stored.Ethernet_IP4 = "20";
    lw::Save_Par_Gen(f.app->conf.File_ParGen, stored);
    f.open_configuration("A");
    auto* d = f.app->FParGen2;
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(!d->L_Ethernet_Notes->isVisible());
    d->resize(d->width(), 300); // the groups no longer fit: the notes would stand out of sight
    static_cast<QLineEdit*>(d->control("Ethernet_IP4"))->setText(u"20"_s);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QVERIFY(d->isVisible());
    QVERIFY(f.messages.shown.empty());
    QVERIFY(!stdfs::exists(f.app->conf.File_ParGen));
    QVERIFY(d->L_Ethernet_Notes->isVisible());
    QCOMPARE(d->L_Ethernet_Notes->text(), u"Addressing notes; OK again saves the settings as they are:\n"
                                          u"A, B: the same IP address 192.168.0.20"_s);
    // Below the groups, which keep their places, and wholly in sight.
    QVERIFY(d->CP_Ethernet->y() >= d->CP_Modbus_Slave->y() + d->CP_Modbus_Slave->height());
    QVERIFY(d->L_Ethernet_Notes->y() >= d->CP_Ethernet->y() + d->CP_Ethernet->height());
    QRect in_view(d->L_Ethernet_Notes->mapTo(d->CPG->viewport(), QPoint(0, 0)), d->L_Ethernet_Notes->size());
    QVERIFY(d->CPG->viewport()->rect().contains(in_view));
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(lw::Load_Par_Gen(f.app->conf.File_ParGen).Ethernet_IP4, std::string("20"));
    d->FormShow();
    QVERIFY(d->L_Ethernet_Notes->isHidden());
  }

  void languageChangeLeavesTheGroupCaptions() {
    UiFixture f([](const lw::test::TempDir& dir) {
      lw::test::write_file(dir.file("LANGUAGE/Deutsch.lng"),
                           "\xEF\xBB\xBFSTR1006 = DMX-Linie\nSTR1007 = Richtung\n"
                           "STR1000 = Kommunikation\nSTR504 = Kanal\n");
    });
    auto* d = f.app->FParGen2;
    QCOMPARE(d->CP_DMX->caption(), u"1. DMX"_s);
    f.app->settings.Language_Name = "Deutsch";
    lw::load_chosen_language(f.app->catalogue, f.app->folders.Language_Dir, f.app->settings);
    f.app->FLoomworkeFirmWare->Change_Language();
    QCOMPARE(d->CP_DMX->caption(), u"1. DMX"_s);
    QCOMPARE(static_cast<QLabel*>(d->named(u"L_DMX_DMX"_s))->text(), u"Richtung"_s);
    QCOMPARE(d->windowTitle(), u"Kommunikation"_s);
    QCOMPARE(f.app->FDMXDefVal->model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Kanal"_s);
  }

  void groupsSizeToTheirLastRowAndCollapse() {
    UiFixture f;
    auto* d = f.app->FParGen2;
    // Each group ends 12 pixels below the control of its last row.
    const std::pair<const char*, const char*> last_rows[] = {{"CP_DMX", "CB_DMX_EndLineRes"},
                                                             {"CP_Modbus_Slave", "CB_Modbus_Slave_MapDMX"},
                                                             {"CP_Ethernet", "E_Ethernet_GAT4"}};
    for (const auto& [group_name, last_name] : last_rows) {
      auto* group = d->findChild<lw::ui::CollapsibleGroup*>(QLatin1String(group_name));
      QWidget* last = d->named(QString::fromLatin1(last_name));
      QVERIFY2(group && last, group_name);
      QCOMPARE(group->height(), last->y() + last->height() + 12 + group->headerHeight());
    }
    QTest::mouseClick(d->CP_DMX->header(), Qt::LeftButton);
    QVERIFY(!d->CP_DMX->isExpanded());
    QCOMPARE(d->CP_DMX->height(), d->CP_DMX->headerHeight());
    QTest::mouseClick(d->CP_DMX->header(), Qt::LeftButton);
    QVERIFY(d->CP_DMX->isExpanded());
  }

  void widthStaysAt460() {
    UiFixture f;
    auto* d = f.app->FParGen2;
    QCOMPARE(d->size(), QSize(460, 700));
    d->resize(600, 500);
    QCOMPARE(d->width(), 460);
    QCOMPARE(d->height(), 500);
  }

  void dmxGridShowsTheRowsWithItsHints() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FDMXDefVal;
    d->FormShow();
    QCOMPARE(d->model->rowCount(), 512);
    QCOMPARE(d->model->data(d->model->index(511, 0), Qt::DisplayRole).toInt(), 512);
    QCOMPARE(d->model->data(d->model->index(0, 1), Qt::DisplayRole).toString(), u"0"_s);
    QCOMPARE(d->model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
             u"Insert the Default Value for the Channel"_s);
    QCOMPARE(d->model->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(),
             u"Insert a description of the Channel"_s);
    QVERIFY(!(d->model->flags(d->model->index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(d->ACG_DMX_Def_Val->columnWidth(2), 250);
    QCOMPARE(d->size(), QSize(640, 480));
  }

  void dmxChannelStaysInSightWhenScrolledSideways() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FDMXDefVal;
    d->show();
    QTableView* grid = d->ACG_DMX_Def_Val;
    grid->setColumnWidth(2, 2000); // a mnemonic column wider than the window
    QScrollBar* sideways = grid->horizontalScrollBar();
    QTRY_VERIFY(sideways->maximum() > 0);
    sideways->setValue(sideways->maximum());
    // At the grid's left edge, on the first row, the user reads channel 1
    // under the heading "Channel".
    QHeaderView* headings = grid->verticalHeader();
    QPoint first_row(grid->frameWidth() + 4, grid->frameWidth() + grid->horizontalHeader()->height() + 4);
    QCOMPARE(grid->childAt(first_row), headings->viewport());
    int row = headings->logicalIndexAt(headings->viewport()->mapFrom(grid, first_row));
    QCOMPARE(d->model->headerData(row, Qt::Vertical, Qt::DisplayRole).toInt(), 1);
    QCOMPARE(headings->width(), 100);
    auto* corner = grid->findChild<QAbstractButton*>();
    QVERIFY(corner && corner->isVisible());
    QCOMPARE(corner->text(), u"Channel"_s);
    QVERIFY(grid->isColumnHidden(0)); // shown once, as the headings
    d->reject();
  }

  void pastedBlockAndEditedCellAreWrittenOnOk() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FDMXDefVal;
    d->show();
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QTableView* grid = d->ACG_DMX_Def_Val;
    grid->setCurrentIndex(d->model->index(1, 1));
    QGuiApplication::clipboard()->setText(u"11\tred\n12\tgreen\n"_s);
    QTest::keySequence(grid, QKeySequence::Paste);
    grid->setCurrentIndex(d->model->index(4, 2));
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != grid);
    QTest::keyClicks(editor, u"spot"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QVERIFY(f.messages.shown.empty());
    auto rows = lw::Load_DMX_Defaults(f.app->conf.File_DMX_Default, 512);
    QCOMPARE(rows.size(), size_t(512));
    QCOMPARE(rows[1], (lw::DMX_Def_Row{"11", "red"}));
    QCOMPARE(rows[2], (lw::DMX_Def_Row{"12", "green"}));
    QCOMPARE(rows[4].Mnemonic, std::string("spot"));
  }

  void dmxRowErrorKeepsTheEditorOpen() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FDMXDefVal;
    d->FormShow();
    d->model->setData(d->model->index(16, 1), u"256"_s, Qt::EditRole);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(f.messages.last_text(), std::string("Error row 17!! Default Value must be between 0 and 255"));
    QVERIFY(!stdfs::exists(f.app->conf.File_DMX_Default));
  }

  // What can't be read is reported and never offered as empty rows whose
  // OK would write over it.
  void dmxEditorClosesOverAFileItCantRead() {
    UiFixture f;
    f.open_configuration("A");
    const std::string broken = "<DMX_Default_Values><Row";
    lw::test::write_file(f.app->conf.File_DMX_Default, broken);
    auto& w = *f.app->FLoomworkeFirmWare;
    QTest::mouseClick(w.Btn_DMX_Default, Qt::LeftButton);
    auto* d = f.app->FDMXDefVal;
    QVERIFY(!d->isVisible());
    QVERIFY(!d->Btn_OK->isEnabled());
    QCOMPARE(d->model->rowCount(), 0);
    QVERIFY(f.messages.last_text().find("DMX_Default_Values.xml") != std::string::npos);
    QCOMPARE(lw::test::read_file(f.app->conf.File_DMX_Default), broken);
  }

  // The same for the parameters: defaults in place of a file that can't be
  // read would be saved over it.
  void parGenEditorClosesOverAFileItCantRead() {
    UiFixture f;
    f.open_configuration("A");
    const std::string broken = "<Par_Gen><DMX_DMX>0</Par_Gen>";
    lw::test::write_file(f.app->conf.File_ParGen, broken);
    auto& w = *f.app->FLoomworkeFirmWare;
    QTest::mouseClick(w.Btn_Prm_Gen, Qt::LeftButton);
    auto* d = f.app->FParGen2;
    QVERIFY(!d->isVisible());
    QVERIFY(!d->Btn_OK->isEnabled());
    QVERIFY(f.messages.last_text().find("ParGen.xml") != std::string::npos);
    QCOMPARE(lw::test::read_file(f.app->conf.File_ParGen), broken);
  }

  void mainWindowOpensBothEditorsWithAConfiguration() {
    UiFixture f;
    f.open_configuration("A");
    auto& w = *f.app->FLoomworkeFirmWare;
    lw::test::when_modal_opens([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(f.app->FParGen2));
      f.app->FParGen2->reject();
    });
    QTest::mouseClick(w.Btn_Prm_Gen, Qt::LeftButton);
    lw::test::when_modal_opens([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(f.app->FDMXDefVal));
      f.app->FDMXDefVal->reject();
    });
    QTest::mouseClick(w.Btn_DMX_Default, Qt::LeftButton);
    QVERIFY(f.messages.shown.empty());
  }
};

QTEST_MAIN(ParGenEditorTest)
#include "par_gen_editor_test.moc"
