#include "core/text_ids.h"
#include "folder_tree.h"
#include "image/compiler.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "platform/files.h"
#include "sound_image.h"
#include "ui/about_window.h"
#include "ui/duplicate_conf_dialog.h"
#include "ui/main_window.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"
#include "ui/widgets.h"
#include "ui_fixture.h"
#include "window_logic/startup.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {
// Where a control stands (left, top) and, where one is required, its size.
struct Placed {
  const char* name;
  QPoint pos;
  QSize size = QSize();
};

const Placed kMainWindowPlaces[] = {
    {"L_SW_Code", {16, 8}},
    {"L_SW_Desc", {16, 42}},
    {"LL_Update", {208, 19}},
    {"Btn_Info", {516, 8}, {50, 50}},
    {"Btn_Opz", {574, 8}, {50, 50}},
    {"Btn_Close", {632, 8}, {50, 50}},
    {"L_Begin", {16, 84}},
    {"Shape2", {80, 70}, {348, 36}},
    {"L_Name_Conf", {87, 75}},
    {"L_Name_Conf_L2", {87, 88}},
    {"L_Step_1", {16, 128}},
    {"Btn_New", {80, 112}, {170, 36}},
    {"Btn_Open", {258, 112}, {170, 36}},
    {"Btn_Sheet", {436, 112}, {170, 36}},
    {"L_Step_2", {16, 172}},
    {"Btn_Prm_Gen", {80, 156}, {170, 36}},
    {"L_Step_3", {16, 216}},
    {"Btn_DMX_Default", {80, 200}, {170, 36}},
    {"L_Step_4", {16, 260}},
    {"Btn_CreateBin", {80, 244}, {170, 36}},
    {"Shape1", {10, 295}, {674, 1}},
};

void check_place(QWidget* control, const Placed& p) {
  QVERIFY2(control, p.name);
  QString found = QStringLiteral("%1 stands at %2, %3 sized %4 x %5")
                      .arg(QLatin1String(p.name))
                      .arg(control->x())
                      .arg(control->y())
                      .arg(control->width())
                      .arg(control->height());
  QVERIFY2(control->pos() == p.pos, qPrintable(found));
  if (p.size.isValid()) QVERIFY2(control->size() == p.size, qPrintable(found));
}

// The vendor's address is wider than the room right of its required left: it
// gives way to the left on its row and stays inside the window.
void check_gives_way(QWidget* label, QPoint required, int window_width) {
  QCOMPARE(label->y(), required.y());
  QVERIFY(label->x() <= required.x());
  QVERIFY(label->geometry().right() < window_width);
}
} // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
private slots:
  void windowHasItsFixedSizeTitleAndStepRows() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    QCOMPARE(w.size(), QSize(694, 396));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.windowTitle(), QStringLiteral("QuorvexSite - Configurator SW40873 - DMX / Modbus Slave "));
    QCOMPARE(w.L_SW_Code->text(), QStringLiteral("SW40873"));
    QCOMPARE(w.L_SW_Desc->text(), QStringLiteral("DMX / Modbus Slave - Converter"));
    for (const Placed& p : kMainWindowPlaces) {
      check_place(w.findChild<QWidget*>(QLatin1String(p.name)), p);
      if (QTest::currentTestFailed()) return;
    }
    check_gives_way(w.L_Quorvex, {565, 260}, 694);
    QCOMPARE(w.L_Quorvex->text(), QStringLiteral("www.quorvexsite.com"));
    w.show();
    for (int n = 5; n <= 8; ++n)
      QVERIFY(w.L_Step[n - 1]->isHidden());
    QVERIFY(w.Btn_ModM_SetAccess->isHidden());
    QVERIFY(w.LL_Update->isHidden());
  }

  void textsComeFromTheCatalogue() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    QCOMPARE(w.Btn_New->text(), u"New Configuration"_s);
    QCOMPARE(w.Btn_CreateBin->toolTip(), u"Update the actual Firmware and/or Configuration in the device"_s);
    QCOMPARE(w.Btn_Close->toolTip(), u"Close Configurator"_s);
    QCOMPARE(w.L_Begin->text(), u"Begin"_s);
    QCOMPARE(w.L_Name_Conf->text(), u"None Configuration Opened "_s);
    QCOMPARE(w.L_Name_Conf_L2->text(), u"Use Step1 to open or create new configuration"_s);
  }

  void stepsTwoToFourRefuseWithoutConfiguration() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    for (QPushButton* b : {w.Btn_Prm_Gen, w.Btn_DMX_Default, w.Btn_CreateBin})
      QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(3));
    for (const auto& m : f.messages.shown)
      QCOMPARE(m.text, std::string("Error! Project not Valid"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void newConfigurationThroughTheDialog() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    lw::test::when_modal_opens([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(f.app->FNew_Project));
      QTest::keyClicks(f.app->FNew_Project->E_New_Proj, u"Line 3"_s);
      QTest::mouseClick(f.app->FNew_Project->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_New, Qt::LeftButton);
    QVERIFY(stdfs::is_directory(f.dir.file("PROJECTS/Line 3/bin")));
    QCOMPARE(w.L_Name_Conf->text(), u"Opened Configuration of the Converter : "_s);
    QCOMPARE(w.L_Name_Conf_L2->text(), u"Line 3"_s);
    QCOMPARE(f.app->conf.File_ParGen, f.dir.file("PROJECTS/Line 3/ParGen.xml"));
  }

  void enterInTheNameFieldActsAsOk() {
    UiFixture f;
    auto* d = f.app->FNew_Project;
    d->E_New_Proj->setText(u"Line 4"_s);
    QTest::keyClick(d->E_New_Proj, Qt::Key_Return);
    QVERIFY(stdfs::is_directory(f.dir.file("PROJECTS/Line 4")));
    QCOMPARE(d->result(), int(QDialog::Accepted));
  }

  void nameErrorsKeepTheDialogOpenWithTheName() {
    UiFixture f([](const lw::test::TempDir& dir) {
      stdfs::create_directories(dir.file("PROJECTS/Existing"));
      lw::test::write_file(dir.file("PROJECTS/plain"), "x");
    });
    auto* d = f.app->FNew_Project;
    const std::pair<const char*, int> cases[] = {
        {"", 107}, {"Existing", 106}, {"plain", 105}, {"../x", 105}, {"a\\b", 105}};
    for (const auto& [name, message] : cases) {
      f.messages.shown.clear();
      d->E_New_Proj->setText(QString::fromUtf8(name));
      QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
      QCOMPARE(f.messages.shown.size(), size_t(1));
      QCOMPARE(f.messages.last_text(), f.app->catalogue.text(message));
      QCOMPARE(d->E_New_Proj->text(), QString::fromUtf8(name));
    }
    QVERIFY(!stdfs::exists(f.dir.file("x")));
  }

  void fromImageMakesTheConfigurationFromThePickedImage() {
    UiFixture f;
    lw::Par_Gen_Set set;
    set.Ethernet_IP4 = "77";
    set.MODBUS_SLAVE_BAUDRATE = 2;
    lw::DMX_Def_Table values(512);
    values[4].Default_Value = "128";
    lw::image::ImageCompiler compiler;
    compiler.Compile_Image_Bytes(lw::par_gen_xml(set), lw::dmx_defaults_xml(values));
    const lw::image::Image image = compiler.image();
    const std::string bytes(reinterpret_cast<const char*>(image.data()), image.size());
    lw::test::write_file(f.dir.file("bank.bin"), bytes);
    f.files.answer = f.dir.file("bank.bin");
    auto* d = f.app->FNew_Project;
    d->E_New_Proj->setText(u"Line 5"_s);
    QTest::mouseClick(d->Btn_FromImage, Qt::LeftButton);
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(f.files.asked.size(), size_t(1));
    QCOMPARE(f.files.asked[0].title, f.app->catalogue.text(lw::text_id::kFromImagePickTitle));
    const std::string conf = f.dir.file("PROJECTS/Line 5");
    QCOMPARE(lw::test::read_file(f.dir.file("PROJECTS/Line 5/bin/bank.bin")), bytes);
    QVERIFY(lw::Load_Par_Gen(conf + "/ParGen.xml") == set);
    compiler.Compile_Image(conf + "/ParGen.xml", conf + "/DMX_Default_Values.xml");
    QVERIFY(compiler.image() == image);
    QCOMPARE(f.app->conf.Conf_Dir, conf);
    QCOMPARE(f.app->conf.File_ParGen, lw::fs::join(conf, "ParGen.xml"));
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QCOMPARE(f.messages.shown[0].kind, std::string("warning"));
    QCOMPARE(f.messages.last_text(), f.app->catalogue.text(lw::text_id::kMsgMnemonicsNotRecovered));
  }

  void fromImageRefusalsKeepTheDialogOpenWithNothingWritten() {
    UiFixture f([](const lw::test::TempDir& dir) {
      stdfs::create_directories(dir.file("PROJECTS/Existing"));
      lw::test::write_file(dir.file("short.bin"), std::string(100, '\0'));
    });
    auto* d = f.app->FNew_Project;
    f.files.answer = f.dir.file("short.bin");
    struct Case {
      const char* name;
      std::string message;
      size_t asked; // the file dialog is not opened for a refused name
    };
    const Case cases[] = {
        {"Existing", f.app->catalogue.text(106), 0},
        {"", f.app->catalogue.text(107), 0},
        {"Line 6", "Error! The image has 100 bytes; a parameter image has 2560", 1},
    };
    for (const Case& c : cases) {
      f.messages.shown.clear();
      f.files.asked.clear();
      d->E_New_Proj->setText(QString::fromUtf8(c.name));
      QTest::mouseClick(d->Btn_FromImage, Qt::LeftButton);
      QCOMPARE(f.files.asked.size(), c.asked);
      QCOMPARE(f.messages.shown.size(), size_t(1));
      QCOMPARE(f.messages.last_text(), c.message);
      QCOMPARE(d->E_New_Proj->text(), QString::fromUtf8(c.name));
    }
    f.files.answer.clear(); // cancelled: nothing said, nothing made
    f.messages.shown.clear();
    QTest::mouseClick(d->Btn_FromImage, Qt::LeftButton);
    QVERIFY(f.messages.shown.empty());
    QVERIFY(!stdfs::exists(f.dir.file("PROJECTS/Line 6")));
    QCOMPARE(std::distance(stdfs::directory_iterator(f.dir.file("PROJECTS")), stdfs::directory_iterator()),
             1);
    QVERIFY(f.app->conf.Conf_Dir.empty());
  }

  void openDialogPreselectsIgnoringCase() {
    UiFixture f([](const lw::test::TempDir& dir) {
      stdfs::create_directories(dir.file("PROJECTS/PLANT"));
      stdfs::create_directories(dir.file("PROJECTS/Other"));
      lw::test::write_file(dir.file("PROJECTS/notes.txt"), "x");
    });
    f.app->conf = lw::configuration_at("Plant", f.dir.file("PROJECTS/Plant"));
    auto* d = f.app->FOpenConf;
    d->FormShow();
    QCOMPARE(d->ListBox1->count(), 2);
    QCOMPARE(d->ListBox1->currentItem()->text(), u"PLANT"_s);
    QCOMPARE(d->Name_Conf(), std::string("PLANT"));
    QCOMPARE(d->size(), QSize(377, 351));
  }

  // Duplicate asks the copy's name, starting from the chosen one, and the
  // list then chooses the copy; a refused name keeps the name dialog open.
  void duplicateFromTheOpenDialogChoosesTheCopy() {
    UiFixture f([](const lw::test::TempDir& dir) {
      stdfs::create_directories(dir.file("PROJECTS/Line 3/bin"));
      stdfs::create_directories(dir.file("PROJECTS/Other"));
      lw::test::write_file(dir.file("PROJECTS/Line 3/ParGen.xml"), "<Par_Gen/>");
    });
    f.open_configuration("Line 3");
    auto* d = f.app->FOpenConf;
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(d->Btn_Duplicate->isEnabled());
    auto* ask = f.app->FDuplicateConf;
    QString shown_name, shown_source;
    lw::test::when_modal_opens([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(ask));
      shown_source = ask->L_Source_Name->text();
      shown_name = ask->E_New_Name->text();
      // Typing replaces the whole name: it starts selected.
      QTest::keyClicks(ask->E_New_Name, u"Other"_s);
      QTest::keyClick(ask->E_New_Name, Qt::Key_Return);
      QVERIFY(ask->isVisible());
      ask->E_New_Name->setText(u"Line 4"_s);
      QTest::keyClick(ask->E_New_Name, Qt::Key_Return);
    });
    QTest::mouseClick(d->Btn_Duplicate, Qt::LeftButton);
    QCOMPARE(shown_source, u"Line 3"_s);
    QCOMPARE(shown_name, u"Line 3"_s);
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QCOMPARE(f.messages.last_text(),
             std::string("Error! Name project is not valid because directory already exists"));
    QVERIFY(!ask->isVisible());
    QCOMPARE(lw::test::read_file(f.dir.file("PROJECTS/Line 4/ParGen.xml")), std::string("<Par_Gen/>"));
    QCOMPARE(d->ListBox1->count(), 3);
    QCOMPARE(d->ListBox1->currentItem()->text(), u"Line 4"_s);
    QCOMPARE(d->Name_Conf(), std::string("Line 4"));
    QCOMPARE(d->focusWidget(), static_cast<QWidget*>(d->ListBox1));
    d->reject();
  }

  void duplicateNeedsAChosenConfiguration() {
    UiFixture f;
    auto* d = f.app->FOpenConf;
    d->FormShow();
    QVERIFY(!d->Btn_Duplicate->isEnabled());
  }

  // Export writes the chosen configuration where the file dialog says;
  // Import of that zip, its name taken, asks another through the name
  // question and the list then chooses the new configuration, byte-equal.
  void exportThenImportThroughTheOpenDialog() {
    UiFixture f([](const lw::test::TempDir& dir) {
      stdfs::create_directories(dir.file("PROJECTS/Line 3/bin/sent"));
      lw::test::write_file(dir.file("PROJECTS/Line 3/ParGen.xml"), "<Par_Gen/>");
      lw::test::write_file(dir.file("PROJECTS/Line 3/bin/sent/bank-1.bin"), lw::test::sound_image('\x01'));
    });
    f.open_configuration("Line 3");
    auto* d = f.app->FOpenConf;
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    f.files.answer = f.dir.file("Line 3.zip");
    QTest::mouseClick(d->Btn_Export, Qt::LeftButton);
    QCOMPARE(f.files.asked.size(), size_t(1));
    QCOMPARE(f.files.asked[0].start, f.dir.file("Line 3.zip"));
    QVERIFY(f.files.asked[0].filter.find("*.zip") != std::string::npos);
    QVERIFY(stdfs::is_regular_file(lw::test::fs_path(f.dir.file("Line 3.zip"))));

    auto* ask = f.app->FDuplicateConf;
    QString title, shown_source;
    lw::test::when_modal_opens([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(ask));
      title = ask->windowTitle();
      shown_source = ask->L_Source_Name->text();
      ask->E_New_Name->setText(u"Line 4"_s);
      QTest::keyClick(ask->E_New_Name, Qt::Key_Return);
    });
    QTest::mouseClick(d->Btn_Import, Qt::LeftButton);
    QCOMPARE(title, u"Import Configuration"_s);
    QCOMPARE(shown_source, u"Line 3"_s);
    QVERIFY(f.messages.shown.empty());
    QCOMPARE(lw::test::tree(f.dir.file("PROJECTS/Line 4")), lw::test::tree(f.dir.file("PROJECTS/Line 3")));
    QCOMPARE(d->ListBox1->currentItem()->text(), u"Line 4"_s);
    // The duplicate dialog reads as itself again.
    QCOMPARE(ask->windowTitle(), u"Duplicate Configuration"_s);

    // A zip that is none is refused in one message, nothing made.
    lw::test::write_file(f.dir.file("bad.zip"), "no zip");
    f.files.answer = f.dir.file("bad.zip");
    QTest::mouseClick(d->Btn_Import, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QVERIFY(f.messages.last_text().starts_with("The archive could not be imported:"));
    QCOMPARE(d->ListBox1->count(), 2);
    d->reject();
  }

  void openingThroughTheDialogSetsTheLabels() {
    UiFixture f([](const lw::test::TempDir& dir) { stdfs::create_directories(dir.file("PROJECTS/Plant")); });
    auto& w = *f.app->FLoomworkeFirmWare;
    lw::test::when_modal_opens(
        [&](QWidget*) { QTest::mouseClick(f.app->FOpenConf->Btn_OK, Qt::LeftButton); });
    QTest::mouseClick(w.Btn_Open, Qt::LeftButton);
    QCOMPARE(f.app->conf.Conf_Dir, f.dir.file("PROJECTS/Plant"));
    QCOMPARE(w.L_Name_Conf_L2->text(), u"Plant"_s);
  }

  void emptyOpenListLeavesNothingOpen() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    lw::test::when_modal_opens(
        [&](QWidget*) { QTest::mouseClick(f.app->FOpenConf->Btn_OK, Qt::LeftButton); });
    QTest::mouseClick(w.Btn_Open, Qt::LeftButton);
    QVERIFY(f.app->conf.Conf_Dir.empty());
    QCOMPARE(w.L_Name_Conf->text(), u"None Configuration Opened "_s);
  }

  void languageChangeReappliesEveryTextButTheConfigurationLabels() {
    UiFixture f([](const lw::test::TempDir& dir) {
      lw::test::write_file(
          dir.file("LANGUAGE/Deutsch.lng"),
          "\xEF\xBB\xBFSTR15 = Neue Konfiguration\nSTR9 = Keine\nSTR102 = Name\nSTR202 = Liste\n");
    });
    auto& w = *f.app->FLoomworkeFirmWare;
    f.app->settings.Language_Name = "Deutsch";
    lw::load_chosen_language(f.app->catalogue, f.app->folders.Language_Dir, f.app->settings);
    w.Change_Language();
    QCOMPARE(w.Btn_New->text(), u"Neue Konfiguration"_s);
    QCOMPARE(f.app->FNew_Project->Label1->text(), u"Name"_s);
    QCOMPARE(f.app->FOpenConf->Label1->text(), u"Liste"_s);
    QCOMPARE(w.L_Name_Conf->text(), u"None Configuration Opened "_s);
  }

  void aboutWindowShowsIdentityAndOpensTheHomePage() {
    UiFixture f;
    auto* about = f.app->FAbout;
    f.app->catalogue.Language_Version = "2.5";
    about->FormShow();
    QCOMPARE(about->size(), QSize(435, 162));
    // Its labels carry no object names: each row pairs the member with its name.
    const std::pair<QWidget*, Placed> about_places[] = {
        {about->Image2, {"Image2", {32, 24}, {96, 96}}},
        {about->Label1, {"Label1", {143, 24}}},
        {about->Label2, {"Label2", {143, 39}}},
        {about->Label6, {"Label6", {143, 62}}},
        {about->Label9, {"Label9", {255, 62}}},
        {about->Label3, {"Label3", {143, 77}}},
        {about->Label10, {"Label10", {255, 77}}},
        {about->Label8, {"Label8", {143, 92}}},
        {about->Label12, {"Label12", {255, 92}}},
        {about->Label5, {"Label5", {143, 107}}},
        {about->Label7, {"Label7", {255, 107}}},
        {about->findChild<QWidget*>(u"LbButton1"_s), {"LbButton1", {32, 132}, {96, 22}}},
    };
    for (const auto& [control, p] : about_places) {
      check_place(control, p);
      if (QTest::currentTestFailed()) return;
    }
    check_gives_way(about->Label4, {323, 141}, 435);
    QCOMPARE(about->windowTitle(), QStringLiteral("About..."));
    QCOMPARE(about->Label7->text(), QStringLiteral("2.5"));
    QCOMPARE(about->Label10->text(), QStringLiteral("1.001"));
    QCOMPARE(about->Label12->text(), QStringLiteral("MN40873"));
    QCOMPARE(about->Label4->text(), QStringLiteral("www.quorvexsite.com"));
    about->show();
    QTest::mouseClick(about->Label4, Qt::LeftButton);
    QCOMPARE(f.urls.opened.size(), size_t(1));
    QCOMPARE(f.urls.opened[0], std::string("http://www.quorvexsite.com/HOME/default.asp?frompg=SW40873"));
    about->hide();
  }

  void closeButtonWritesTheSettings() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    w.show();
    QTest::mouseClick(w.Btn_Close, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(stdfs::exists(f.dir.file("Loomwork.xml")));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
