#include "params/par_gen.h"
#include "site_units.h"
#include "ui/boot_dialog.h"
#include "ui/main_window.h"
#include "ui_fixture.h"
#include "update/update_record.h"
#include "window_logic/startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {
void with_german(const lw::test::TempDir& dir) {
  stdfs::create_directories(dir.file("LANGUAGE"));
  stdfs::copy_file(LOOMWORK_SOURCE "/LANGUAGE/Deutsch.lng", dir.file("LANGUAGE/Deutsch.lng"));
}

// The configuration A open in German, its device answering; false when the
// language can't be loaded.
bool open_in_german(UiFixture& f) {
  f.open_configuration("A");
  f.app->settings.Language_Name = "Deutsch";
  if (lw::load_chosen_language(f.app->catalogue, f.app->folders.Language_Dir, f.app->settings)) return false;
  f.app->FLoomworkeFirmWare->Change_Language();
  f.echo.fallback = {32};
  return true;
}

// Step 4 opened from the main window: its preview as shown, and again after
// Execute when asked; then cancelled.
QStringList step_four(UiFixture& f, bool execute) {
  auto* d = f.app->FBoot;
  QStringList seen;
  lw::test::when_modal_opens([&, execute](QWidget*) {
    seen << d->M_Preview->toPlainText();
    if (execute) {
      QTest::mouseClick(d->Btn_Update, Qt::LeftButton);
      seen << d->M_Preview->toPlainText();
    }
    QCOMPARE(d->size(), QSize(449, 380));
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
  });
  QTest::mouseClick(f.app->FLoomworkeFirmWare->Btn_CreateBin, Qt::LeftButton);
  return seen;
}

QStringList texts(lw::ui::TFBoot* d) {
  QStringList out;
  for (auto* e : d->E_IP)
    out << e->text();
  return out;
}
} // namespace

class BootDialogTest : public QObject {
  Q_OBJECT
private slots:
  void firstShowingPrefillsFromTheLastAddress() {
    UiFixture f;
    auto* d = f.app->FBoot;
    d->FormShow();
    QCOMPARE(texts(d), QStringList({u"192"_s, u"168"_s, u"2"_s, u"205"_s}));
    QCOMPARE(d->CB_Update_Options->currentIndex(), 0);
    QCOMPARE(d->CB_Update_Options->count(), 3);
    QCOMPARE(d->CB_Update_Options->itemText(2), u"Configuration"_s);
    QVERIFY(d->CB_Update_Option_Read_Back->isChecked());
    QCOMPARE(d->size(), QSize(449, 380));
    QCOMPARE(d->windowTitle(), u"Update Device by Ethernet (UDP)"_s);
  }

  void addressesThatDoNotSplitLeaveTheFields() {
    UiFixture f;
    auto* d = f.app->FBoot;
    f.app->settings.Last_IP_Address = " 10 . 0 . 0 . 7 ";
    d->FormShow();
    QCOMPARE(texts(d), QStringList({u"10"_s, u"0"_s, u"0"_s, u"7"_s}));
    f.app->settings.Last_IP_Address = "10.0.300.7";
    d->FormShow();
    QCOMPARE(texts(d), QStringList({u"10"_s, u"0"_s, u"0"_s, u"7"_s}));
  }

  void dotKeysNeverInsert() {
    UiFixture f;
    auto* d = f.app->FBoot;
    d->show();
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->E_IP[0]->setFocus();
    QTest::keyClick(d->E_IP[0], '.');
    QVERIFY(d->E_IP[1]->hasFocus());
    d->E_IP[3]->setFocus();
    QTest::keyClick(d->E_IP[3], '.');
    QVERIFY(d->E_IP[3]->hasFocus());
    QCOMPARE(texts(d), QStringList({u"192"_s, u"168"_s, u"2"_s, u"205"_s}));
    d->reject();
  }

  // Hall A's device was moved to .11 by the last update of any configuration;
  // this one last sent its image at .9 and gives the device .5 now.
  void ownAddressShowsAndTheMoveNoteFollowsTheFieldsAndTheOption() {
    UiFixture f;
    f.open_configuration("A");
    const std::string& projects = f.app->folders.Projects_Dir;
    lw::test::mark_sent(lw::test::write_unit(projects, "A", lw::test::set_at("10.0.0.9")));
    lw::test::write_unit(projects, "A", lw::test::set_at("10.0.0.5"));
    f.app->settings.Last_IP_Address = "10.0.0.11";
    auto* d = f.app->FBoot;
    d->show();
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QCOMPARE(texts(d), QStringList({u"10"_s, u"0"_s, u"0"_s, u"9"_s}));
    QVERIFY(d->L_Own_Address->isVisible() && d->L_Address_Move->isVisible());
    QCOMPARE(d->L_Own_Address->text(), u"Address of this configuration: 10.0.0.5"_s);
    const QString moves = u"With this update the device moves to 10.0.0.5"_s;
    QCOMPARE(d->L_Address_Move->text(), moves);
    // Typed, key by key: the own address needs no move, another one does.
    d->E_IP[3]->setFocus();
    d->E_IP[3]->selectAll();
    QTest::keyClick(d->E_IP[3], '5');
    QCOMPARE(d->L_Address_Move->text(), QString());
    QTest::keyClick(d->E_IP[3], '0');
    QCOMPARE(d->L_Address_Move->text(), moves);
    QTest::keyClick(d->E_IP[3], Qt::Key_Backspace);
    QCOMPARE(d->L_Address_Move->text(), QString());
    QTest::keyClick(d->E_IP[3], '1');
    QCOMPARE(d->L_Address_Move->text(), moves);
    d->CB_Update_Options->setCurrentIndex(1); // the firmware alone
    QCOMPARE(d->L_Address_Move->text(), QString());
    QCOMPARE(d->L_Own_Address->text(), u"Address of this configuration: 10.0.0.5"_s);
    d->CB_Update_Options->setCurrentIndex(2);
    QCOMPARE(d->L_Address_Move->text(), moves);
    QCOMPARE(d->size(), QSize(449, 380));
    d->reject();
  }

  void noReplyAndBadAddressMessages() {
    UiFixture f;
    f.open_configuration("A");
    auto* d = f.app->FBoot;
    d->FormShow();
    d->CB_Update_Options->setCurrentIndex(2);
    QTest::mouseClick(d->Btn_Update, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QCOMPARE(f.messages.shown.back().kind, std::string("warning"));
    QCOMPARE(f.messages.last_text(), std::string("Device Not Found!"));
    QCOMPARE(f.app->FBoot->logic().Update_Option_Index, 0);
    d->E_IP[2]->setText(u"x"_s);
    QTest::mouseClick(d->Btn_Update, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(2));
    QCOMPARE(f.messages.shown.back().kind, std::string("error"));
    QCOMPARE(f.messages.last_text(), std::string("Error!!! Check the Ip Address"));
    QVERIFY(!stdfs::exists(f.dir.file("Ethernet_Update.xml")));
    // Both attempts are the configuration's record, nowhere else.
    QCOMPARE(f.log.asked.size(), size_t(2));
    for (const auto& asked : f.log.asked)
      QCOMPARE(asked.path, lw::update_log_path(f.app->conf.Conf_Dir));
  }

  void successRemembersTheChoiceForTheNextShowing() {
    UiFixture f;
    f.open_configuration("A");
    f.echo.fallback = {32};
    auto* d = f.app->FBoot;
    d->FormShow();
    d->E_IP[3]->setText(u"9"_s);
    d->CB_Update_Options->setCurrentIndex(1);
    d->CB_Update_Option_Read_Back->setChecked(false);
    QTest::mouseClick(d->Btn_Update, Qt::LeftButton);
    QVERIFY(f.messages.shown.empty());
    QCOMPARE(f.app->settings.Last_IP_Address, std::string("192.168.2.9"));
    QCOMPARE(f.launcher.launched.size(), size_t(1));
    QVERIFY(stdfs::exists(f.dir.file("Ethernet_Update.xml")));
    d->FormShow();
    QCOMPARE(d->CB_Update_Options->currentIndex(), 1);
    QVERIFY(!d->CB_Update_Option_Read_Back->isChecked());
  }

  void languageChangeReachesTheNextShowing() {
    UiFixture f([](const lw::test::TempDir& dir) {
      lw::test::write_file(dir.file("LANGUAGE/Deutsch.lng"),
                           "\xEF\xBB\xBFSTR820 = Aktualisieren\nSTR816 = Nur Firmware\n");
    });
    auto* d = f.app->FBoot;
    f.app->FBoot->logic().Update_Option_Index = 1;
    f.app->settings.Language_Name = "Deutsch";
    lw::load_chosen_language(f.app->catalogue, f.app->folders.Language_Dir, f.app->settings);
    f.app->FLoomworkeFirmWare->Change_Language();
    d->FormShow();
    QCOMPARE(d->Btn_Update->text(), u"Aktualisieren"_s);
    QCOMPARE(d->CB_Update_Options->currentText(), u"Nur Firmware"_s);
  }

  void stepFourWritesTheImageThenOpensTheDialog() {
    UiFixture f;
    f.open_configuration("A");
    auto& w = *f.app->FLoomworkeFirmWare;
    lw::test::when_modal_opens([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(f.app->FBoot));
      QVERIFY(stdfs::exists(f.dir.file("PROJECTS/A/bin/bank.bin")));
      QTest::mouseClick(f.app->FBoot->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_CreateBin, Qt::LeftButton);
    QCOMPARE(stdfs::file_size(f.dir.file("PROJECTS/A/bin/bank.bin")), std::uintmax_t(2560));
    QVERIFY(f.messages.shown.empty());
  }

  // Cancel, Escape and the close box during the probe, with a device that
  // would answer: the probe stops at once and nothing is written, launched
  // or shown; while it ran, Execute and the address fields could not be used.
  void stoppingTheProbeClosesWithNothingWrittenLaunchedOrShown_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("close box") << 2;
  }
  void stoppingTheProbeClosesWithNothingWrittenLaunchedOrShown() {
    QFETCH(int, how);
    UiFixture f;
    f.open_configuration("A");
    f.echo.fallback = {32};
    auto* d = f.app->FBoot;
    // What the dialog showed while the probe ran, noted there and checked
    // once the dialog has closed.
    bool seen_running = false, execute_enabled = true, a_field_enabled = true, hidden_by_the_stop = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    lw::test::when_modal_opens([&](QWidget*) {
      // Runs inside the probe, where it lets window events through.
      QTimer::singleShot(0, d, [&] {
        seen_running = true;
        execute_enabled = d->Btn_Update->isEnabled();
        a_field_enabled = std::any_of(std::begin(d->E_IP), std::end(d->E_IP),
                                      [](QLineEdit* e) { return e->isEnabled(); }) ||
                          d->CB_Update_Options->isEnabled() || d->CB_Update_Option_Read_Back->isEnabled();
        cursor = d->cursor().shape();
        // A second Execute, by mouse or by Enter, starts nothing.
        QTest::mouseClick(d->Btn_Update, Qt::LeftButton);
        QTest::keyClick(d, Qt::Key_Return);
        d->Btn_UpdateClick();
        switch (how) {
        case 0: QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton); break;
        case 1: QTest::keyClick(d, Qt::Key_Escape); break;
        default: d->close(); break;
        }
        hidden_by_the_stop = !d->isVisible();
      });
      QTest::mouseClick(d->Btn_Update, Qt::LeftButton);
    });
    QTest::mouseClick(f.app->FLoomworkeFirmWare->Btn_CreateBin, Qt::LeftButton);
    QVERIFY(seen_running);
    QVERIFY(!execute_enabled);
    QVERIFY(!a_field_enabled);
    QCOMPARE(cursor, Qt::BusyCursor);
    QVERIFY(hidden_by_the_stop);
    QCOMPARE(f.echo.addresses.size(), size_t(1)); // stopped inside the first request
    QVERIFY(f.messages.shown.empty());
    QVERIFY(!stdfs::exists(f.dir.file("Ethernet_Update.xml")));
    QVERIFY(f.launcher.launched.empty());
    QCOMPARE(f.app->settings.Last_IP_Address, std::string("192.168.2.205"));
    // The next showing starts ready.
    QVERIFY(d->Btn_Update->isEnabled());
    for (auto* e : d->E_IP)
      QVERIFY(e->isEnabled());
    QVERIFY(d->CB_Update_Options->isEnabled() && d->CB_Update_Option_Read_Back->isEnabled());
    QCOMPARE(d->cursor().shape(), Qt::ArrowCursor);
  }

  // Before Execute the dialog shows what the image changes against the last
  // one sent, in the chosen language; Execute makes the image the last sent.
  void previewShowsWhatExecuteWouldChange() {
    UiFixture f(with_german);
    QVERIFY(open_in_german(f));
    QStringList seen = step_four(f, true);
    QCOMPARE(seen, QStringList({u"Erste Aktualisierung dieser Konfiguration"_s, u"Keine Änderung"_s}));
    QCOMPARE(f.launcher.launched.size(), size_t(1));

    lw::Par_Gen_Set set;
    set.Ethernet_IP4 = "77";
    lw::Save_Par_Gen(f.app->conf.File_ParGen, set);
    seen = step_four(f, false);
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen[0].startsWith(u"Änderungen gegenüber dem zuletzt gesendeten Abbild:\n"_s),
             qPrintable(seen[0]));
    QVERIFY2(seen[0].contains(u"-> 192.168.0.77\n"_s), qPrintable(seen[0]));
    QVERIFY2(seen[0].contains(u"Prüfsumme: 0x"_s), qPrintable(seen[0]));
    QVERIFY(f.messages.shown.empty());
  }

  // An updater that ended with another status leaves no image recorded as
  // sent: the preview says when and how, wrapped inside its box.
  void previewSaysTheLastAttemptFailed() {
    UiFixture f(with_german);
    QVERIFY(open_in_german(f));
    f.launcher.exit_code = 5;
    auto* d = f.app->FBoot;
    const QStringList seen = step_four(f, true);
    QCOMPARE(seen.size(), 2);
    QVERIFY2(seen[1].startsWith(u"Der letzte Aktualisierungsversuch (2026-"_s), qPrintable(seen[1]));
    QVERIFY2(
        seen[1].endsWith(u") endete ohne Erfolg: updater ended 5\n"
                         u"Von dieser Konfiguration hat nachweislich noch kein Abbild das Gerät erreicht."_s),
        qPrintable(seen[1]));
    QCOMPARE(d->M_Preview->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(d->M_Preview->verticalScrollBar()->maximum(), 0);
  }

  void stepFourWhereNoBinFolderCanBeShowsTheErrorAndNoDialog() {
    UiFixture f;
    f.open_configuration("A");
    stdfs::remove(f.dir.file("PROJECTS/A/bin"));
    lw::test::write_file(f.dir.file("PROJECTS/A/bin"), "in the way");
    QTest::mouseClick(f.app->FLoomworkeFirmWare->Btn_CreateBin, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), size_t(1));
    QVERIFY(f.messages.last_text().find("Not a directory") != std::string::npos);
    QVERIFY(!f.app->FBoot->isVisible());
  }
};

QTEST_MAIN(BootDialogTest)
#include "boot_dialog_test.moc"
