// The windows used with the keyboard alone: Tab reaches every control and
// shows where the focus is, Enter confirms unless Cancel has the focus, and
// the controls that are not buttons answer Enter, Space and the arrows.
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "ui/about_window.h"
#include "ui/boot_dialog.h"
#include "ui/collapsible_group.h"
#include "ui/dmx_editor.h"
#include "ui/dmx_grid.h"
#include "ui/dmx_table_model.h"
#include "ui/duplicate_conf_dialog.h"
#include "ui/main_window.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"
#include "ui/par_gen_editor.h"
#include "ui/sheet_conf_dialog.h"
#include "ui/soft_options_dialog.h"
#include "ui/widgets.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {

enum Window {
  Main,
  NewProject,
  OpenConf,
  DuplicateConf,
  SheetConf,
  OptionsLanguage,
  OptionsConnection,
  ParGen,
  DmxDefaults,
  Boot,
  About
};

void activate(QWidget* window) {
  window->show();
  QApplication::setActiveWindow(window);
  QVERIFY(QTest::qWaitForWindowActive(window));
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

QString describe(QWidget* w) {
  return u"%1 %2 \"%3\""_s.arg(QLatin1String(w->metaObject()->className()), w->objectName(),
                               w->property("text").toString());
}

void prepare_folder(const lw::test::TempDir& dir) {
  stdfs::create_directories(dir.file("PROJECTS/Plant"));
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G"})
    lw::test::write_file(dir.file(std::string("LANGUAGE/") + name + ".lng"), "");
}

// The window shown and active, and the controls Tab must reach in it.
std::pair<QWidget*, std::vector<QWidget*>> show_window(UiFixture& f, Window which) {
  auto* a = f.app.get();
  auto& w = *a->FLoomworkeFirmWare;
  QWidget* window = nullptr;
  std::vector<QWidget*> must;
  switch (which) {
  case Main:
    w.show_update_link(true, "New version", "http://127.0.0.1:9/download");
    window = &w;
    must = {w.LL_Update, w.Btn_Info,    w.Btn_Opz,         w.Btn_Close,     w.Btn_New,  w.Btn_Open,
            w.Btn_Sheet, w.Btn_Prm_Gen, w.Btn_DMX_Default, w.Btn_CreateBin, w.L_Quorvex};
    break;
  case NewProject:
    window = a->FNew_Project;
    must = {a->FNew_Project->E_New_Proj, a->FNew_Project->Btn_FromImage, a->FNew_Project->Btn_OK,
            a->FNew_Project->Btn_Cancel};
    break;
  case OpenConf:
    window = a->FOpenConf;
    must = {a->FOpenConf->ListBox1,      a->FOpenConf->Btn_Export, a->FOpenConf->Btn_Import,
            a->FOpenConf->Btn_Duplicate, a->FOpenConf->Btn_OK,     a->FOpenConf->Btn_Cancel};
    break;
  case DuplicateConf:
    window = a->FDuplicateConf;
    a->FDuplicateConf->FormShow("Plant");
    must = {a->FDuplicateConf->E_New_Name, a->FDuplicateConf->Btn_OK, a->FDuplicateConf->Btn_Cancel};
    break;
  case SheetConf: {
    auto* d = a->FSheetConf;
    window = d;
    must = {d->CB_Template, d->E_Sheet, d->Btn_Browse, d->CB_Replace,
            d->Grid_Plan,   d->M_Notes, d->Btn_Cancel};
    break;
  }
  case OptionsLanguage:
  case OptionsConnection: {
    auto* d = a->FSoftOptions;
    window = d;
    must = {d->Btn_OK, d->Btn_Cancel};
    if (which == OptionsLanguage) {
      must.insert(must.end(),
                  {d->Btn_Next, d->L_L[0], d->L_L[1], d->L_L[2], d->L_L[3], d->L_L[4], d->L_L[5]});
    } else {
      // The link of a check that found a newer version.
      d->LL_Check_Update->show_link("New version", "http://127.0.0.1:9/download");
      must.insert(must.end(), {d->CB_En_Con, d->CB_Update, d->Btn_Check_Update, d->LL_Check_Update});
    }
    break;
  }
  case ParGen: {
    auto* d = a->FParGen2;
    window = d;
    must = {d->CP_DMX->header(), d->CP_Modbus_Slave->header(), d->CP_Ethernet->header(), d->Btn_OK,
            d->Btn_Cancel};
    break;
  }
  case DmxDefaults:
    window = a->FDMXDefVal;
    must = {a->FDMXDefVal->ACG_DMX_Def_Val, a->FDMXDefVal->Btn_OK, a->FDMXDefVal->Btn_Cancel};
    break;
  case Boot: {
    auto* d = a->FBoot;
    window = d;
    must = {d->E_IP[0],   d->E_IP[1],           d->E_IP[2],
            d->E_IP[3],   d->CB_Update_Options, d->CB_Update_Option_Read_Back,
            d->M_Preview, d->Btn_Cancel,        d->Btn_Update};
    break;
  }
  case About:
    window = a->FAbout;
    must = {a->FAbout->findChild<QPushButton*>(u"LbButton1"_s), a->FAbout->Label4};
    break;
  }
  activate(window);
  if (which == OptionsConnection) {
    auto* d = a->FSoftOptions;
    d->PC_Options->setCurrentWidget(d->TS_Con_Options);
    d->CB_En_Con->setChecked(true);
    d->CB_Update->setChecked(true);
    d->LL_Check_Update->show();
  }
  return {window, must};
}

void add_window_rows() {
  QTest::addColumn<int>("window");
  const std::pair<const char*, Window> rows[] = {
      {"main window", Main},
      {"new configuration", NewProject},
      {"open configuration", OpenConf},
      {"duplicate configuration", DuplicateConf},
      {"configurations from a sheet", SheetConf},
      {"options, language page", OptionsLanguage},
      {"options, connection page", OptionsConnection},
      {"Set Communication", ParGen},
      {"DMX default values", DmxDefaults},
      {"Update Device", Boot},
      {"About", About},
  };
  for (const auto& [name, which] : rows)
    QTest::newRow(name) << int(which);
}

// A dialog's field, confirming and cancelling buttons, and how to tell that
// it confirmed.
struct Roles {
  QWidget* field = nullptr;
  QPushButton* confirm = nullptr;
  QPushButton* cancel = nullptr;
  std::function<bool()> confirmed;
};

Roles roles(UiFixture& f, Window which, QDialog* dialog) {
  auto* a = f.app.get();
  auto accepted = [dialog] { return dialog->result() == QDialog::Accepted; };
  auto written = [](const std::string& file) { return [file] { return stdfs::exists(file); }; };
  switch (which) {
  case NewProject:
    a->FNew_Project->E_New_Proj->setText(u"Line 3"_s);
    return {a->FNew_Project->E_New_Proj, a->FNew_Project->Btn_OK, a->FNew_Project->Btn_Cancel,
            written(f.dir.file("PROJECTS/Line 3"))};
  case OpenConf: return {a->FOpenConf->ListBox1, a->FOpenConf->Btn_OK, a->FOpenConf->Btn_Cancel, accepted};
  case DuplicateConf:
    a->FDuplicateConf->E_New_Name->setText(u"Plant 2"_s);
    return {a->FDuplicateConf->E_New_Name, a->FDuplicateConf->Btn_OK, a->FDuplicateConf->Btn_Cancel,
            written(f.dir.file("PROJECTS/Plant 2"))};
  case SheetConf: {
    lw::Save_Par_Gen(f.dir.file("PROJECTS/Plant/ParGen.xml"), lw::Par_Gen_Set{});
    lw::test::write_file(f.dir.file("site.csv"), "Name\nUnit 1\n");
    a->FSheetConf->E_Sheet->setText(QString::fromStdString(f.dir.file("site.csv")));
    a->FSheetConf->Plan_Sheet();
    return {a->FSheetConf->E_Sheet, a->FSheetConf->Btn_Create, a->FSheetConf->Btn_Cancel,
            written(f.dir.file("PROJECTS/Unit 1/ParGen.xml"))};
  }
  case OptionsLanguage:
    a->FSoftOptions->PC_Options->setCurrentWidget(a->FSoftOptions->TS_Soft_Settings);
    return {a->FSoftOptions->CB_Soft_Set_Jump_Table, a->FSoftOptions->Btn_OK, a->FSoftOptions->Btn_Cancel,
            accepted};
  case ParGen:
    return {a->FParGen2->control("DMX_Num_Channels"), a->FParGen2->Btn_OK, a->FParGen2->Btn_Cancel,
            written(a->conf.File_ParGen)};
  case DmxDefaults:
    return {a->FDMXDefVal->ACG_DMX_Def_Val, a->FDMXDefVal->Btn_OK, a->FDMXDefVal->Btn_Cancel,
            written(a->conf.File_DMX_Default)};
  case Boot: // Execute probes and leaves the dialog open
    return {a->FBoot->E_IP[3], a->FBoot->Btn_Update, a->FBoot->Btn_Cancel,
            [&f] { return !f.echo.addresses.empty(); }};
  default: return {nullptr, nullptr, nullptr, accepted};
  }
}

} // namespace

class KeyboardTest : public QObject {
  Q_OBJECT
private slots:
  // Round the Tab order once: every control listed is a stop, and each
  // stop looks different while it has the focus than once Tab has moved on.
  void tabReachesEveryControlAndShowsTheFocus_data() { add_window_rows(); }
  void tabReachesEveryControlAndShowsTheFocus() {
    QFETCH(int, window);
    UiFixture f(prepare_folder);
    f.open_configuration("Plant");
    auto [shown, must] = show_window(f, Window(window));
    press(Qt::Key_Tab); // the keyboard is in use from here on
    QWidget* first = QApplication::focusWidget();
    QVERIFY(first);
    std::vector<QWidget*> stops;
    QWidget* stop = first;
    do {
      stops.push_back(stop);
      QImage focused = stop->grab().toImage();
      // The channel grid keeps Tab for its cells, as spreadsheets do; Ctrl+Tab
      // leaves it.
      press(Qt::Key_Tab, qobject_cast<lw::ui::DmxGrid*>(stop) ? Qt::ControlModifier : Qt::NoModifier);
      QVERIFY2(stop->grab().toImage() != focused, qPrintable(u"no focus shown on "_s + describe(stop)));
      stop = QApplication::focusWidget();
    } while (stop != first && stops.size() < 100);
    for (QWidget* control : must)
      QVERIFY2(std::find(stops.begin(), stops.end(), control) != stops.end(),
               qPrintable(u"Tab never reaches "_s + describe(control)));
    shown->hide();
  }

  // Enter confirms with the focus in a field and on the confirming button;
  // on Cancel it cancels.
  void enterConfirmsUnlessCancelHasTheFocus_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("focus");
    for (const auto& [name, which] : {std::pair{"new configuration", NewProject},
                                      {"open configuration", OpenConf},
                                      {"duplicate configuration", DuplicateConf},
                                      {"configurations from a sheet", SheetConf},
                                      {"options", OptionsLanguage},
                                      {"Set Communication", ParGen},
                                      {"DMX default values", DmxDefaults},
                                      {"Update Device", Boot}})
      for (const char* focus : {"field", "confirm", "cancel"})
        QTest::addRow("%s, %s", name, focus) << int(which) << QString::fromLatin1(focus);
    QTest::addRow("About, at the showing") << int(About) << u"shown"_s;
  }
  void enterConfirmsUnlessCancelHasTheFocus() {
    QFETCH(int, window);
    QFETCH(QString, focus);
    UiFixture f(prepare_folder);
    f.open_configuration("Plant");
    auto [shown, must] = show_window(f, Window(window));
    auto* dialog = static_cast<QDialog*>(shown);
    auto [field, confirm, cancel, confirmed] = roles(f, Window(window), dialog);
    QWidget* target = focus == u"field"_s ? field : focus == u"confirm"_s ? confirm : cancel;
    if (target) target->setFocus(Qt::TabFocusReason);
    // In the channel grid Enter moves down a row; Ctrl+Enter confirms.
    bool in_grid = qobject_cast<lw::ui::DmxGrid*>(target);
    press(Qt::Key_Return, in_grid ? Qt::ControlModifier : Qt::NoModifier);
    if (focus == u"cancel"_s) {
      QVERIFY(!dialog->isVisible());
      QCOMPARE(dialog->result(), int(QDialog::Rejected));
      QVERIFY(!confirmed());
    } else {
      QVERIFY(confirmed());
    }
    dialog->hide();
  }

  // The grid's keys as spreadsheets have them: Enter ends an open cell and
  // moves down, Tab moves right and on to the next row, typing replaces a
  // cell, F2 edits it, Escape drops the edit, Delete clears, + and - step the
  // values, Ctrl+Enter confirms.
  void gridKeysWorkAsInASpreadsheet() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FDMXDefVal;
    activate(d);
    QTableView* grid = d->ACG_DMX_Def_Val;
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
    auto at = [&] { return std::pair{grid->currentIndex().row(), grid->currentIndex().column()}; };
    auto value = [&](int row) { return d->model->rows()[std::size_t(row)].Default_Value; };
    QCOMPARE(at(), (std::pair{0, 1}));
    press(Qt::Key_7); // typing opens the cell
    press(Qt::Key_7);
    press(Qt::Key_Return); // the cell's edit ends as the events run
    QTRY_COMPARE(value(0), std::string("77"));
    QCOMPARE(at(), (std::pair{1, 1}));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
    press(Qt::Key_Tab);
    QCOMPARE(at(), (std::pair{1, 2}));
    press(Qt::Key_Tab);
    QCOMPARE(at(), (std::pair{2, 1}));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(at(), (std::pair{1, 2}));
    press(Qt::Key_Return);
    QCOMPARE(at(), (std::pair{2, 2}));
    // Typing into a cell that holds text replaces it; Tab ends it and moves on.
    grid->setCurrentIndex(d->model->index(0, 1));
    press(Qt::Key_5);
    press(Qt::Key_Tab);
    QTRY_COMPARE(value(0), std::string("5"));
    QCOMPARE(at(), (std::pair{0, 2}));
    // F2 keeps the text to edit; Escape drops the edit.
    grid->setCurrentIndex(d->model->index(0, 1));
    press(Qt::Key_F2);
    press(Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), u"9"_s);
    press(Qt::Key_Escape);
    QCOMPARE(value(0), std::string("5"));
    QVERIFY(d->isVisible());
    press(Qt::Key_F2);
    press(Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), u"9"_s);
    press(Qt::Key_Return);
    QTRY_COMPARE(value(0), std::string("59"));
    // + and - step without opening the cell, by 16 with Ctrl, within 0..255.
    grid->setCurrentIndex(d->model->index(0, 1));
    press(Qt::Key_Plus);
    QCOMPARE(value(0), std::string("60"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
    press(Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(value(0), std::string("44"));
    for (int i = 0; i < 20; ++i)
      press(Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(value(0), std::string("255"));
    // In a mnemonic cell + is text.
    grid->setCurrentIndex(d->model->index(3, 2));
    press(Qt::Key_Plus);
    press(Qt::Key_Return);
    QTRY_COMPARE(d->model->rows()[3].Mnemonic, std::string("+"));
    grid->setCurrentIndex(d->model->index(0, 1));
    press(Qt::Key_Delete);
    QCOMPARE(value(0), std::string());
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(value(0), std::string("255"));
    // Page Down scrolls as in any grid.
    press(Qt::Key_PageDown);
    QVERIFY(grid->currentIndex().row() > 5);
    press(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!d->isVisible());
    auto saved = lw::Load_DMX_Defaults(f.app->conf.File_DMX_Default, 512);
    QCOMPARE(saved[0].Default_Value, std::string("255"));
    QCOMPARE(saved[3].Mnemonic, std::string("+"));
  }

  // Space right after the start presses step 1, not the About icon.
  void mainWindowStartsOnStepOne() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    activate(&w);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Btn_New));
    QWidget* opened = nullptr;
    lw::test::when_modal_opens([&](QWidget* modal) {
      opened = modal;
      static_cast<QDialog*>(modal)->reject();
    });
    press(Qt::Key_Space);
    QCOMPARE(opened, static_cast<QWidget*>(f.app->FNew_Project));
    // Enter presses the focused button too.
    activate(&w);
    w.Btn_New->setFocus(Qt::TabFocusReason);
    opened = nullptr;
    lw::test::when_modal_opens([&](QWidget* modal) {
      opened = modal;
      static_cast<QDialog*>(modal)->reject();
    });
    press(Qt::Key_Return);
    QCOMPARE(opened, static_cast<QWidget*>(f.app->FNew_Project));
  }

  // Slots 1..3 stand down the left column, 4..6 down the right.
  void languageSlotsFollowTheArrowsAndChooseByEnterOrSpace() {
    UiFixture f(prepare_folder);
    f.messages.answer_yes = false;
    auto* d = f.app->FSoftOptions;
    activate(d);
    d->L_L[0]->setFocus(Qt::TabFocusReason);
    const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Down, 1},  {Qt::Key_Down, 2}, {Qt::Key_Down, 2},
                                             {Qt::Key_Right, 5}, {Qt::Key_Up, 4},   {Qt::Key_Right, 4},
                                             {Qt::Key_Left, 1},  {Qt::Key_Up, 0},   {Qt::Key_Up, 0}};
    for (const auto& [key, slot] : moves) {
      press(key);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->L_L[slot]));
    }
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QCOMPARE(f.messages.last_text(), std::string("Do you want to change the Language from English to D?"));
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    QCOMPARE(f.messages.last_text(), std::string("Do you want to change the Language from English to E?"));
    QCOMPARE(f.messages.shown.size(), size_t(2));
    QVERIFY(d->isVisible()); // Enter chose a language, it did not confirm the dialog
    // Page 2 holds one language: the arrows find no other slot.
    QTest::mouseClick(d->Btn_Next, Qt::LeftButton);
    d->L_L[0]->setFocus(Qt::TabFocusReason);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right}) {
      press(key);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->L_L[0]));
    }
    d->reject();
  }

  // The Set Communication editor: Tab runs through each group from its
  // header down its rows; Space or Enter on a header toggles the group.
  void groupHeadersAreTabStopsThatSpaceAndEnterToggle() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FParGen2;
    activate(d);
    d->CP_DMX->header()->setFocus(Qt::TabFocusReason);
    std::vector<QString> order;
    for (int i = 0; i < 12; ++i) {
      order.push_back(QApplication::focusWidget()->objectName());
      press(Qt::Key_Tab);
    }
    QCOMPARE(order, (std::vector<QString>{
                        u"CP_DMX_Header"_s, u"CB_DMX_DMX"_s, u"E_DMX_ChannelNum"_s, u"CB_DMX_EndLineRes"_s,
                        u"CP_Modbus_Slave_Header"_s, u"CB_ModbusSlave_Serial"_s, u"CB_ModbusSlave_Baudrate"_s,
                        u"CB_ModbusSlave_Parity"_s, u"CB_ModbusSlave_StopBits"_s, u"E_ModbusSlave_IDDevice"_s,
                        u"CB_Modbus_Slave_MapDMX"_s, u"CP_Ethernet_Header"_s}));
    d->CP_Modbus_Slave->header()->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QVERIFY(!d->CP_Modbus_Slave->isExpanded());
    press(Qt::Key_Return);
    QVERIFY(d->CP_Modbus_Slave->isExpanded());
    press(Qt::Key_Enter);
    QVERIFY(!d->CP_Modbus_Slave->isExpanded());
    QVERIFY(d->isVisible()); // Enter toggled the group, it did not confirm the editor
    QVERIFY(!stdfs::exists(f.app->conf.File_ParGen));
    d->reject();
  }

  void webAddressesOpenFromTheKeyboard() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    const std::string home = "http://www.quorvexsite.com/HOME/default.asp?frompg=SW40873";
    activate(&w);
    w.L_Quorvex->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    press(Qt::Key_Space);
    QCOMPARE(f.urls.opened, (std::vector<std::string>{home, home}));
    w.show_update_link(true, "New version", "http://127.0.0.1:9/download");
    w.Btn_Close->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Btn_Opz));
    w.Btn_Info->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.LL_Update));
    press(Qt::Key_Return);
    QCOMPARE(f.urls.opened.back(), std::string("http://127.0.0.1:9/download"));
    auto* about = f.app->FAbout;
    activate(about);
    about->Label4->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    QCOMPARE(f.urls.opened.size(), size_t(4));
    QCOMPARE(f.urls.opened.back(), home);
    QVERIFY(about->isVisible()); // Enter on the link opened it, it did not close the window
    about->reject();
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
