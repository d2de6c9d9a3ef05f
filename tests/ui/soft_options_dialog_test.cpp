#include "ui/main_window.h"
#include "ui/soft_options_dialog.h"
#include "ui/widgets.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {
void bmp(const std::string& path, QColor colour) {
  QImage img(48, 48, QImage::Format_RGB888);
  img.fill(colour);
  QVERIFY(img.save(QString::fromStdString(path), "BMP"));
}
} // namespace

class SoftOptionsDialogTest : public QObject {
  Q_OBJECT
private slots:
  void pagesSlotsAndFlags() {
    UiFixture f([](const lw::test::TempDir& dir) {
      for (const char* name : {"A", "B", "C", "D", "E", "F", "G"})
        lw::test::write_file(dir.file(std::string("LANGUAGE/") + name + ".lng"), "");
      bmp(dir.file("LANGUAGE/A.bmp"), Qt::red);
      lw::test::write_file(dir.file("LANGUAGE/B.bmp"), "not a picture");
      bmp(dir.file("LANGUAGE/DefaultFlag.bmp"), Qt::gray);
    });
    auto* d = f.app->FSoftOptions;
    d->FormShow();
    QCOMPARE(d->L_Page_Lang->text(), u"Page 1 / 2"_s);
    QCOMPARE(d->L_Sel_Lang->text(), u"Selected Language : English"_s);
    QVERIFY(d->Btn_Prev->isHidden());
    QVERIFY(!d->Btn_Next->isHidden());
    QCOMPARE(d->L_L[0]->text(), u"A"_s);
    QCOMPARE(d->I_L[0]->pixmap().toImage().pixelColor(1, 1), QColor(Qt::red));
    QCOMPARE(d->I_L[1]->pixmap().toImage().pixelColor(1, 1),
             QColor(Qt::gray)); // unreadable: the default flag
    QTest::mouseClick(d->Btn_Next, Qt::LeftButton);
    QCOMPARE(d->L_Page_Lang->text(), u"Page 2 / 2"_s);
    QCOMPARE(d->L_L[0]->text(), u"G"_s);
    QVERIFY(d->L_L[1]->isHidden());
    QVERIFY(d->Btn_Next->isHidden());
    QVERIFY(!d->Btn_Prev->isHidden());
  }

  // Cancel after trying a language puts the stored one back on screen: what
  // the windows show is what is kept.
  void confirmedLanguageReachesEveryWindowAndCancelPutsItBack() {
    UiFixture f([](const lw::test::TempDir& dir) {
      lw::test::write_file(
          dir.file("LANGUAGE/Deutsch.lng"),
          "\xEF\xBB\xBFSTR15 = Neue Konfiguration\nSTR312 = Gut\nSTR305 = \xC2\xB6Seite \xC2\xB6\n");
    });
    auto* d = f.app->FSoftOptions;
    d->FormShow();
    QTest::mouseClick(d->L_L[0], Qt::LeftButton);
    QCOMPARE(f.messages.last_text(),
             std::string("Do you want to change the Language from English to Deutsch?"));
    QCOMPARE(f.app->FLoomworkeFirmWare->Btn_New->text(), u"Neue Konfiguration"_s);
    QCOMPARE(d->Btn_OK->text(), u"Gut"_s);
    QCOMPARE(d->L_Page_Lang->text(), u"Seite 1 / 1"_s);
    QCOMPARE(d->L_Sel_Lang->text(), u"Selected Language : Deutsch"_s);
    d->reject();
    QCOMPARE(f.app->settings.Language_Name, std::string("English"));
    QCOMPARE(f.app->FLoomworkeFirmWare->Btn_New->text(), u"New Configuration"_s);
    d->FormShow();
    QCOMPARE(d->L_Sel_Lang->text(), u"Selected Language : English"_s);
  }

  void enablingRuleFollowsTheBoxes() {
    UiFixture f;
    auto* d = f.app->FSoftOptions;
    d->FormShow();
    QVERIFY(!d->CB_Update->isEnabled());
    QVERIFY(!d->Btn_Check_Update->isEnabled());
    d->CB_En_Con->setChecked(true);
    QVERIFY(d->CB_Update->isEnabled());
    QVERIFY(!d->Btn_Check_Update->isEnabled());
    d->CB_Update->setChecked(true);
    QVERIFY(d->Btn_Check_Update->isEnabled());
    d->CB_En_Con->setChecked(false);
    QVERIFY(!d->CB_Update->isEnabled());
    QVERIFY(d->CB_Update->isChecked());
  }

  void checkNowShowsTheResult() {
    UiFixture f;
    auto* d = f.app->FSoftOptions;
    d->FormShow();
    QVERIFY(d->LL_Check_Update->isHidden());
    f.http.reply = "VER. 2.000";
    d->Btn_Check_UpdateClick();
    QVERIFY(d->LL_Check_Update->text().contains(
        u"href=\"http://www.quorvexsite.com/Home/download/download.asp#HD40873\""_s));
    f.http.reply.reset();
    d->Btn_Check_UpdateClick();
    QCOMPARE(d->LL_Check_Update->text(), u"No Update Available"_s);
  }

  void checkLinkOpensThroughTheOpener() {
    UiFixture f;
    auto* d = f.app->FSoftOptions;
    d->FormShow();
    f.http.reply = "VER. 2.000";
    d->Btn_Check_UpdateClick();
    const QString target = u"http://www.quorvexsite.com/Home/download/download.asp#HD40873"_s;
    QVERIFY(d->LL_Check_Update->text().contains(target));
    emit d->LL_Check_Update->linkActivated(target);
    QCOMPARE(f.urls.opened, std::vector<std::string>{target.toStdString()});
  }

  void okThroughTheMainWindowSavesAndStartsTheTimer() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    QVERIFY(!w.Timer_Update.isActive());
    lw::test::when_modal_opens([&](QWidget* modal) {
      auto* d = f.app->FSoftOptions;
      QCOMPARE(modal, static_cast<QWidget*>(d));
      d->CB_En_Con->setChecked(true);
      d->CB_Update->setChecked(true);
      QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_Opz, Qt::LeftButton);
    QVERIFY(w.Timer_Update.isActive());
    QCOMPARE(w.Timer_Update.interval(), 60000);
    std::string xml = lw::test::read_file(f.dir.file("Loomwork.xml"));
    QVERIFY(xml.find("<enable_update>1</enable_update>") != std::string::npos);
  }

  void cancelWritesNothing() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    lw::test::when_modal_opens([&](QWidget*) {
      f.app->FSoftOptions->CB_En_Con->setChecked(true);
      QTest::mouseClick(f.app->FSoftOptions->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_Opz, Qt::LeftButton);
    QVERIFY(!stdfs::exists(f.dir.file("Loomwork.xml")));
    QVERIFY(!f.app->settings.Enable_Internet);
  }

  void timerTickShowsTheNotice() {
    UiFixture f;
    auto& w = *f.app->FLoomworkeFirmWare;
    f.http.reply = "VER. 1.002";
    w.Timer_Update.setInterval(1);
    w.Timer_Update.start();
    QTRY_VERIFY(w.LL_Update->isVisibleTo(&w));
    QVERIFY(w.LL_Update->text().contains(u"New Version Available. Click Here for more Details"_s));
    QCOMPARE(w.Timer_Update.interval(), 7200000);
    QVERIFY(w.Timer_Update.isActive());
  }
};

QTEST_MAIN(SoftOptionsDialogTest)
#include "soft_options_dialog_test.moc"
