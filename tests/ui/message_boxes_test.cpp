#include "ui/main_window.h"
#include "ui/qt_ports.h"
#include "ui_fixture.h"
#include "window_logic/startup.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>
#include <filesystem>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {

// What the user sees in the message box that opens next.
struct NextBox {
  QString title;
  QStringList buttons;
  // Reads the box once it shows, then presses `press`.
  void answer(QMessageBox::StandardButton press) {
    title.clear();
    buttons.clear();
    lw::test::when_modal_opens([this, press](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return;
      title = box->windowTitle();
      for (QAbstractButton* b : box->buttons())
        buttons << b->text();
      buttons.sort();
      box->button(press)->click();
    });
  }
};

// The program started with Deutsch as its stored language.
struct StartedInGerman : UiFixture {
  StartedInGerman()
      : UiFixture([](const lw::test::TempDir& dir) {
          stdfs::create_directories(dir.file("LANGUAGE"));
          for (const char* name : {"Deutsch.lng", "English.lng"})
            stdfs::copy_file(stdfs::path(LOOMWORK_SOURCE "/LANGUAGE") / name,
                             stdfs::path(dir.file("LANGUAGE")) / name);
          lw::test::write_file(
              dir.file("Loomwork.xml"),
              "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>");
        }) {}
  void change_language(const std::string& name) {
    app->settings.Language_Name = name;
    lw::load_chosen_language(app->catalogue, app->folders.Language_Dir, app->settings);
    app->FLoomworkeFirmWare->Change_Language();
  }
};

} // namespace

class MessageBoxesTest : public QObject {
  Q_OBJECT
private slots:
  void standardButtonsSpeakTheLanguageOfTheTexts() {
    StartedInGerman f;
    QCOMPARE(f.app->settings.Language_Name, std::string("Deutsch"));
    lw::ui::MessageBoxes boxes;
    NextBox seen;
    seen.answer(QMessageBox::Yes);
    QVERIFY(boxes.confirm("Sprache wechseln?"));
    QCOMPARE(seen.buttons, QStringList({u"&Ja"_s, u"&Nein"_s}));

    f.change_language("English");
    seen.answer(QMessageBox::No);
    QVERIFY(!boxes.confirm("Change the language?"));
    QCOMPARE(seen.buttons, QStringList({u"&No"_s, u"&Yes"_s}));

    f.change_language("Deutsch");
    seen.answer(QMessageBox::No);
    QVERIFY(!boxes.confirm("Sprache wechseln?"));
    QCOMPARE(seen.buttons, QStringList({u"&Ja"_s, u"&Nein"_s}));
  }

  void everyKindOfBoxIsTitledWithTheProductCode() {
    StartedInGerman f;
    lw::ui::MessageBoxes boxes;
    NextBox seen;
    seen.answer(QMessageBox::Ok);
    boxes.error("Fehler");
    QCOMPARE(seen.title, u"SW40873"_s);
    seen.answer(QMessageBox::Ok);
    boxes.warning("Warnung");
    QCOMPARE(seen.title, u"SW40873"_s);
    seen.answer(QMessageBox::No);
    boxes.confirm("Frage?");
    QCOMPARE(seen.title, u"SW40873"_s);
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
