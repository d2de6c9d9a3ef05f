// Names, versions and translated texts that look like markup are shown as
// the characters they are, in every window.
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/qt_ports.h"
#include "ui/soft_options_dialog.h"
#include "ui_fixture.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {
#ifdef _WIN32
// Windows holds no "<" or ">" in a folder's name: markup by entities, which a
// rich text label would turn into "<b>".
const std::string kName = "&lt;b&gt;X &amp; [img src=flag.bmp]";
#else
const std::string kName = "<font size=7 color=red>X <img src=flag.bmp>";
#endif
// Markup Windows could hold in a file name: an entity a rich text label
// would turn into "<i>".
const std::string kLanguage = "&lt;i&gt;Lang";
const std::string kVersion = "<img src=flag.bmp> 2";
const std::string kHint = "<font size=7>Create</font> a <b>new</b> one";

std::string xml_text(const std::string& text) {
  std::string out;
  for (char c : text)
    out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
  return out;
}

void hostile_folder(const lw::test::TempDir& dir) {
  std::filesystem::create_directories(lw::test::fs_path(dir.file("PROJECTS/" + kName + "/bin")));
  std::filesystem::create_directories(lw::test::fs_path(dir.file("LANGUAGE")));
  lw::test::write_file(dir.file("LANGUAGE/" + kLanguage + ".lng"),
                       "\xEF\xBB\xBF//VERSION " + kVersion + "\r\nSTR22 = " + kHint + "\r\n");
  lw::test::write_file(dir.file("Loomwork.xml"), "<Conf_Settings><lastproj><projectname>" + xml_text(kName) +
                                                     "</projectname></lastproj><lastlang><language>" +
                                                     xml_text(kLanguage) +
                                                     "</language></lastlang></Conf_Settings>");
}
} // namespace

class MarkupTest : public QObject {
  Q_OBJECT
private slots:
  void namesAndTextsAreShownAsText() {
    UiFixture f(hostile_folder);
    auto& w = *f.app->FLoomworkeFirmWare;
    QCOMPARE(f.app->conf.Conf_Name, kName);
    QCOMPARE(f.app->settings.Language_Name, kLanguage);
    QCOMPARE(w.L_Name_Conf_L2->text(), QString::fromStdString(kName));
    f.app->FAbout->show();
    QCOMPARE(f.app->FAbout->Label7->text(), QString::fromStdString(kVersion));
    f.app->FAbout->hide();
    f.app->FSoftOptions->show();
    f.app->FSoftOptions->hide();
    // Every label of every window that holds such a text treats it as text.
    int seen = 0;
    for (QLabel* label : w.findChildren<QLabel*>()) {
      if (!label->text().contains(u'<') && !label->text().contains(u'&')) continue;
      ++seen;
      QVERIFY2(label->textFormat() == Qt::PlainText,
               qPrintable(label->objectName() + u": "_s + label->text()));
    }
    QVERIFY(seen >= 3); // the name, the version, the language's name
    // A tool tip is escaped so that it, too, shows what was written.
    QString tip = w.Btn_New->toolTip();
    QVERIFY2(tip.contains(u"&lt;font size=7&gt;Create&lt;/font&gt;"_s), qPrintable(tip));
    QVERIFY(!tip.contains(u"<font"_s));
  }

  void messageBoxesShowTheirTextAsText() {
    lw::ui::MessageBoxes boxes;
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    lw::test::when_modal_opens([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      shown = box->text();
      format = box->textFormat();
      box->accept();
    });
    const std::string path = "Cannot write /tmp/" + kName + "/bank.bin: Permission denied";
    boxes.error(path);
    QCOMPARE(shown, QString::fromStdString(path));
    QCOMPARE(format, Qt::PlainText);
  }
};

QTEST_MAIN(MarkupTest)
#include "markup_test.moc"
