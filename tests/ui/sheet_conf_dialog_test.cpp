// The dialog that makes configurations from a site sheet, offscreen: the
// plan shown before anything is written, then written with its progress.
#include "params/par_gen.h"
#include "ui/main_window.h"
#include "ui/sheet_conf_dialog.h"
#include "ui_fixture.h"
#include "window_logic/startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {

void prepare(const lw::test::TempDir& dir) {
  for (const char* name : {"Other", "Template"}) {
    stdfs::create_directories(dir.file(std::string("PROJECTS/") + name + "/bin"));
    lw::Save_Par_Gen(dir.file(std::string("PROJECTS/") + name + "/ParGen.xml"), lw::Par_Gen_Set{});
  }
  lw::test::write_file(dir.file("PROJECTS/Template/DMX_Default_Values.xml"),
                       "<DMX><Row Default_Value=\"7\"/></DMX>");
}

struct Shown : UiFixture {
  Shown() : UiFixture(prepare) {
    open_configuration("Other");
    d = app->FSheetConf;
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
  }
  // Chooses the template and, through the file dialog, the sheet.
  void choose(const QString& template_name, const std::string& sheet) {
    d->CB_Template->setCurrentText(template_name);
    std::string path = dir.file("site.csv");
    lw::test::write_file(path, sheet);
    files.answer = path;
    QTest::mouseClick(d->Btn_Browse, Qt::LeftButton);
  }
  QString cell(int row, int column) const { return d->Grid_Plan->item(row, column)->text(); }
  bool made(const char* name) const { return stdfs::exists(dir.file(std::string("PROJECTS/") + name)); }
  lw::ui::TFSheetConf* d;
};

} // namespace

class SheetConfDialogTest : public QObject {
  Q_OBJECT
private slots:
  void theMainWindowOpensIt() {
    UiFixture f;
    QWidget* opened = nullptr;
    lw::test::when_modal_opens([&](QWidget* modal) {
      opened = modal;
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::mouseClick(f.app->FLoomworkeFirmWare->Btn_Sheet, Qt::LeftButton);
    QCOMPARE(opened, static_cast<QWidget*>(f.app->FSheetConf));
  }

  void theOpenConfigurationIsTheFirstTemplate() {
    Shown f;
    QCOMPARE(f.d->CB_Template->count(), 2);
    QCOMPARE(f.d->CB_Template->currentText(), u"Other"_s);
    QVERIFY(!f.d->Btn_Create->isEnabled());
    QCOMPARE(f.d->L_Summary->text(), u"Choose a template configuration and a sheet"_s);
  }

  void createWritesThePlanShownWithItsProgress() {
    Shown f;
    f.choose(u"Template"_s, "Name,IP,Mask,Gateway,ModbusID,Channels\n"
                            "A,10.0.0.2,255.255.255.0,10.0.0.1,5,24\nB,10.0.0.2,255.255.255.0,,6,48\n");
    QCOMPARE(f.files.asked.size(), size_t(1));
    QCOMPARE(f.d->E_Sheet->text(), QString::fromStdString(f.files.answer));
    QCOMPARE(f.d->Grid_Plan->rowCount(), 2);
    const QStringList first = {u"2"_s,        u"A"_s, u"10.0.0.2"_s, u"255.255.255.0"_s,
                               u"10.0.0.1"_s, u"5"_s, u"24"_s,       u"new"_s};
    for (int c = 0; c < first.size(); ++c)
      QCOMPARE(f.cell(0, c), first[c]);
    QCOMPARE(f.cell(1, 4), QString());
    QCOMPARE(f.d->M_Notes->toPlainText(), u"A, B: the same IP address 10.0.0.2"_s);
    QVERIFY(!f.made("A"));
    QVERIFY(f.d->Btn_Create->isEnabled());
    QTest::mouseClick(f.d->Btn_Create, Qt::LeftButton);
    QVERIFY(f.made("A/ParGen.xml") && f.made("B/bin/bank.bin"));
    QCOMPARE(f.d->PB_Create->maximum(), 2);
    QCOMPARE(f.d->PB_Create->value(), f.d->PB_Create->maximum());
    QVERIFY(f.d->L_Summary->text().startsWith(u"Configurations made: 2, in "_s));
    QCOMPARE(f.d->Btn_Cancel->text(), u"Close"_s);
    QVERIFY(!f.d->Btn_Create->isEnabled());
    QVERIFY(f.messages.shown.empty());
  }

  void aBadRowLeavesCreateDisabledAndWritesNothing() {
    Shown f;
    f.choose(u"Template"_s, "Name,IP\nA,10.0.0.2\nB,10.0.0.300\n");
    QCOMPARE(f.d->Grid_Plan->rowCount(), 2);
    // The refused row first, told by its word as well as its colour.
    QCOMPARE(f.cell(0, 1), u"B"_s);
    QVERIFY(f.cell(0, 7).startsWith(u"problem: "_s));
    QVERIFY(f.d->Grid_Plan->item(0, 7)->foreground() != f.d->Grid_Plan->item(1, 7)->foreground());
    QCOMPARE(f.cell(1, 7), u"new"_s);
    QVERIFY(!f.d->Btn_Create->isEnabled());
    QTest::keyClick(f.d->E_Sheet, Qt::Key_Return);
    QTest::mouseClick(f.d->Btn_Create, Qt::LeftButton);
    QVERIFY(!f.made("A"));
    QVERIFY(f.d->isVisible());
  }

  void theReplaceBoxPlansAgain() {
    Shown f;
    f.choose(u"Template"_s, "Name,IP\nOther,10.0.0.9\n");
    QVERIFY(f.cell(0, 7).startsWith(u"problem: "_s));
    QVERIFY(!f.d->Btn_Create->isEnabled());
    f.d->CB_Replace->setChecked(true);
    QCOMPARE(f.cell(0, 7), u"replaces"_s);
    QVERIFY(f.d->Btn_Create->isEnabled());
    f.d->CB_Replace->setChecked(false);
    QVERIFY(!f.d->Btn_Create->isEnabled());
  }

  // A path typed by hand is planned once the typing pauses; Create waits
  // for that plan, and Enter then creates.
  void aTypedSheetIsPlannedAndEnterCreates() {
    Shown f;
    f.d->CB_Template->setCurrentText(u"Template"_s);
    lw::test::write_file(f.dir.file("typed.csv"), "Name\nTyped\n");
    f.d->E_Sheet->setFocus();
    QTest::keyClicks(f.d->E_Sheet, QString::fromStdString(f.dir.file("typed.csv")));
    QVERIFY(!f.d->Btn_Create->isEnabled());
    QTest::keyClick(f.d->E_Sheet, Qt::Key_Return);
    QVERIFY(!f.made("Typed"));
    QTRY_VERIFY(f.d->Btn_Create->isEnabled());
    QTest::keyClick(f.d->E_Sheet, Qt::Key_Return);
    QVERIFY(f.made("Typed/ParGen.xml"));
  }

  // A sheet that can't be read leaves no plan and says why, its path shown
  // as the characters it is.
  void anUnreadableSheetIsNamedAsText() {
    Shown f;
    f.files.answer = f.dir.file("<b>missing</b>.csv");
    QTest::mouseClick(f.d->Btn_Browse, Qt::LeftButton);
    QCOMPARE(f.d->Grid_Plan->rowCount(), 0);
    QVERIFY(!f.d->Btn_Create->isEnabled());
    QVERIFY2(f.d->L_Summary->text().contains(QString::fromStdString(f.files.answer)),
             qPrintable(f.d->L_Summary->text()));
    QCOMPARE(f.d->L_Summary->textFormat(), Qt::PlainText);
  }

  void escapeClosesWithoutWriting() {
    Shown f;
    f.choose(u"Template"_s, "Name\nA\n");
    QVERIFY(f.d->Btn_Create->isEnabled());
    QTest::keyClick(f.d->Grid_Plan, Qt::Key_Escape);
    QVERIFY(!f.d->isVisible());
    QVERIFY(!f.made("A"));
  }

  // The table's headings follow a change of language like every caption.
  void theHeadingsFollowTheLanguage() {
    UiFixture f([](const lw::test::TempDir& dir) {
      stdfs::create_directories(dir.file("LANGUAGE"));
      stdfs::copy_file(LOOMWORK_SOURCE "/LANGUAGE/Deutsch.lng", dir.file("LANGUAGE/Deutsch.lng"));
    });
    auto* grid = f.app->FSheetConf->Grid_Plan;
    QCOMPARE(grid->horizontalHeaderItem(6)->text(), u"Channels"_s);
    f.app->settings.Language_Name = "Deutsch";
    QVERIFY(!lw::load_chosen_language(f.app->catalogue, f.app->folders.Language_Dir, f.app->settings));
    f.app->FLoomworkeFirmWare->Change_Language();
    QCOMPARE(grid->horizontalHeaderItem(6)->text(), u"Kanäle"_s);
    QCOMPARE(grid->horizontalHeaderItem(7)->text(), QString::fromStdString(f.app->catalogue.text(238)));
  }

  // Alt and a caption's underlined letter reach its control.
  void mnemonicsReachTheControls() {
    Shown f;
    QApplication::setActiveWindow(f.d);
    QVERIFY(QTest::qWaitForWindowActive(f.d));
    const std::pair<Qt::Key, QWidget*> keys[] = {{Qt::Key_S, f.d->E_Sheet},
                                                 {Qt::Key_W, f.d->Grid_Plan},
                                                 {Qt::Key_A, f.d->M_Notes},
                                                 {Qt::Key_T, f.d->CB_Template}};
    for (const auto& [key, control] : keys) {
      QTest::keyClick(f.d, key, Qt::AltModifier);
      QCOMPARE(QApplication::focusWidget(), control);
    }
    QTest::keyClick(f.d, Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(f.d->CB_Replace->isChecked());
  }
};

QTEST_MAIN(SheetConfDialogTest)
#include "sheet_conf_dialog_test.moc"
