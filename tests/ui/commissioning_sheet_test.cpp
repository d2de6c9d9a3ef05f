// The commissioning sheet as the user gets it: the main window's button and
// the companion write a real PDF, read back with poppler's pdftotext.
#include "cli.h"
#include "platform/files.h"
#include "ui/main_window.h"
#include "ui_fixture.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <filesystem>
#include <sstream>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using namespace Qt::StringLiterals;

namespace {

void with_golden(const lw::test::TempDir& dir) {
  stdfs::create_directories(dir.file("PROJECTS/Hall/bin"));
  for (const char* name : {"ParGen.xml", "DMX_Default_Values.xml"})
    stdfs::copy_file(std::string(LOOMWORK_SOURCE "/tests/fixtures/golden/") + name,
                     dir.file(std::string("PROJECTS/Hall/") + name));
  stdfs::create_directories(dir.file("LANGUAGE"));
  stdfs::copy_file(LOOMWORK_SOURCE "/LANGUAGE/Deutsch.lng", dir.file("LANGUAGE/Deutsch.lng"));
}

// A poppler tool's output, or a skip when the system has none (Wine has no
// Linux programs to start).
std::optional<QString> poppler(const QString& tool, const std::string& pdf) {
  QStringList args{QString::fromStdString(pdf)};
  if (tool == u"pdftotext"_s) args << u"-"_s; // to standard output
  QProcess p;
  p.start(tool, args);
  if (!p.waitForStarted(5000)) return std::nullopt;
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

#define READ_PDF(var, tool, path)                                                                            \
  auto var##_read = poppler(u##tool##_s, path);                                                              \
  if (!var##_read) QSKIP(tool " (poppler-utils) can't be started here: there is none under Wine");           \
  const QString var = *var##_read

// Every page has the header with its number, "%1" the page and "%2" the count.
void check_pages(const QString& info, const QString& text, const QString& page_number) {
  QRegularExpression pages(u"Pages:\\s+(\\d+)"_s);
  auto match = pages.match(info);
  QVERIFY2(match.hasMatch(), qPrintable(info));
  const int count = match.captured(1).toInt();
  QVERIFY(count > 1);
  QVERIFY2(info.contains(u"(A4)"_s), qPrintable(info));
  for (int n = 1; n <= count; ++n)
    QVERIFY2(text.contains(page_number.arg(n).arg(count)), qPrintable(page_number.arg(n).arg(count)));
  QVERIFY(!text.contains(page_number.arg(count + 1).arg(count)));
}

class CommissioningSheetTest : public QObject {
  Q_OBJECT
private slots:
  void buttonBesideStepFourWritesThePdf() {
    UiFixture f(with_golden);
    f.open_configuration("Hall");
    f.files.answer = f.dir.file("Hall sheet.pdf");
    f.messages.answer_yes = false;
    auto* button = f.app->FLoomworkeFirmWare->findChild<QPushButton*>(u"Btn_Report"_s);
    QVERIFY(button);
    QCOMPARE(button->text(), u"Co&mmission Sheet"_s);
    button->click();
    const std::string pdf = f.dir.file("Hall sheet.pdf");
    QVERIFY2(stdfs::exists(pdf), qPrintable(QString::fromStdString(f.messages.last_text())));
    QCOMPARE(f.messages.shown.size(), 1u);
    QCOMPARE(f.messages.shown[0].kind, std::string("confirm"));
    QVERIFY(f.urls.opened.empty());
    READ_PDF(text, "pdftotext", pdf);
    READ_PDF(info, "pdfinfo", pdf);
    check_pages(info, text, u"Page %1 of %2"_s);
    for (const QString& expected :
         {u"Commissioning Sheet: Hall"_s, u"Communication Parameters"_s, u"IP Address"_s, u"10.20.30.40"_s,
          u"Channel 300"_s, u"Register (0-based)"_s, u"SHA-256"_s,
          u"No update of this configuration has been recorded."_s})
      QVERIFY2(text.contains(expected), qPrintable(expected));
    QVERIFY(info.contains(u"Title:           Commissioning Sheet: Hall"_s));
  }

  void companionWritesThePdfInTheChosenLanguage() {
    UiFixture f(with_golden);
    lw::QtPdfRenderer renderer;
    std::ostringstream out, err;
    lw::cli::Io io{out, err, f.dir.path(), &renderer};
    const std::string pdf = f.dir.file("sheet.PDF");
    int status =
        lw::cli::run({"report", f.dir.file("PROJECTS/Hall"), "-o", pdf, "--language", "Deutsch"}, io);
    QVERIFY2(status == 0, err.str().c_str());
    QCOMPARE(err.str(), std::string());
    READ_PDF(text, "pdftotext", pdf);
    READ_PDF(info, "pdfinfo", pdf);
    check_pages(info, text, u"Seite %1 von %2"_s);
    for (const QString& expected : {u"Inbetriebnahmeprotokoll: Hall"_s, u"Kommunikationsparameter"_s,
                                    u"IP-Adresse"_s, u"Subnetzmaske"_s, u"Bezeichnung"_s, u"Prüfsumme"_s})
      QVERIFY2(text.contains(expected), qPrintable(expected));
  }

  // On a full disk or a read-only folder the user is told, and the window
  // stays usable.
  void aFolderThatCantBeWrittenIsAnError() {
    UiFixture f(with_golden);
    f.open_configuration("Hall");
    f.files.answer = f.dir.file("nowhere/sheet.pdf");
    f.app->FLoomworkeFirmWare->findChild<QPushButton*>(u"Btn_Report"_s)->click();
    QCOMPARE(f.messages.shown.size(), 1u);
    QCOMPARE(f.messages.shown[0].kind, std::string("error"));
    QVERIFY(f.messages.shown[0].text.find("nowhere") != std::string::npos);
    QVERIFY(!stdfs::exists(f.dir.file("nowhere")));
  }
};

} // namespace

QTEST_MAIN(CommissioningSheetTest)
#include "commissioning_sheet_test.moc"
