#include "core/text_ids.h"
#include "ui/boot_dialog.h"
#include "ui/dmx_editor.h"
#include "ui/duplicate_conf_dialog.h"
#include "ui/main_window.h"
#include "ui/new_project_dialog.h"
#include "ui/open_conf_dialog.h"
#include "ui/par_gen_editor.h"
#include "ui/sheet_conf_dialog.h"
#include "ui/soft_options_dialog.h"
#include "ui_fixture.h"
#include "window_logic/startup.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>
#include <set>
#include <vector>

namespace stdfs = std::filesystem;
using lw::test::UiFixture;
using lw::text_id::kNone;
using namespace Qt::StringLiterals;

namespace {

// The window's title, a tab page's tab text, or the control's own text.
QString caption(QWidget* widget) {
  if (widget->isWindow()) return widget->windowTitle();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(p)) return tabs->tabText(tabs->indexOf(widget));
  return {};
}

// Every control's catalogue texts, by object name, written out apart from the
// windows so that a wrong index or a missing row in a window shows.
struct Expected {
  const char* control;
  int caption;
  int hint = kNone;
};
struct WindowTexts {
  const char* window;
  std::vector<Expected> rows;
};

const WindowTexts kWindows[] = {
    {"FLoomworkeFirmWare",
     {{"L_Begin", 0},
      {"L_Step_1", 1},
      {"L_Step_2", 2},
      {"L_Step_3", 3},
      {"L_Step_4", 4},
      {"L_Step_5", 5},
      {"L_Step_6", 6},
      {"L_Step_7", 7},
      {"L_Step_8", 8},
      {"Btn_Info", kNone, 12},
      {"Btn_Opz", kNone, 13},
      {"Btn_Close", kNone, 14},
      {"Btn_New", 15, 22},
      {"Btn_Open", 16, 23},
      {"Btn_Sheet", 219, 220},
      {"Btn_CreateBin", 17, 26},
      {"Btn_Prm_Gen", 20, 24},
      {"Btn_DMX_Default", 21, 25}}},
    {"FNew_Project",
     {{"FNew_Project", 100},
      {"L_SW_Desc", 101},
      {"Label1", 102},
      {"Btn_OK", 103, 109},
      {"Btn_Cancel", 104, 110},
      {"E_New_Proj", kNone, 108},
      {"Btn_FromImage", 1250, 1251}}},
    {"FOpenConf",
     {{"FOpenConf", 200},
      {"L_SW_Desc", 201},
      {"Label1", 202},
      {"Btn_OK", 203, 206},
      {"Btn_Cancel", 204, 207},
      {"ListBox1", kNone, 205},
      {"Btn_Duplicate", 208, 209},
      {"Btn_Export", 1230, 1231},
      {"Btn_Import", 1232, 1233}}},
    {"FDuplicateConf",
     {{"FDuplicateConf", 210},
      {"L_SW_Desc", 211},
      {"L_Source", 212},
      {"Label1", 213},
      {"E_New_Name", kNone, 214},
      {"Btn_OK", 215, 217},
      {"Btn_Cancel", 216, 218}}},
    {"FSheetConf",
     {{"FSheetConf", 221},
      {"L_SW_Desc", 222},
      {"L_Template", 223},
      {"CB_Template", kNone, 224},
      {"L_Sheet", 225},
      {"E_Sheet", kNone, 226},
      {"Btn_Browse", 227, 228},
      {"CB_Replace", 229, 230},
      {"L_Plan", 256},
      {"Grid_Plan", kNone, 255},
      {"L_Notes", 242},
      {"M_Notes", kNone, 257},
      {"Btn_Create", 243, 244},
      {"Btn_Cancel", 245, 246}}},
    {"FSoftOptions",
     {{"FSoftOptions", 300},
      {"L_SW_Desc", 301},
      {"TS_Language", 302},
      {"TS_Con_Options", 303},
      {"TS_Soft_Settings", 319},
      {"L_Sel_Lang", 304},
      {"Btn_Prev", 307},
      {"Btn_Next", 308},
      {"CB_En_Con", 309},
      {"CB_Update", 310},
      {"Btn_Check_Update", 311},
      {"Btn_OK", 312},
      {"Btn_Cancel", 313},
      {"CB_Soft_Set_Jump_Table", 320},
      {"CB_DoubleClick_Auto_Size", 321}}},
    {"FDMXDefVal", {{"FDMXDefVal", 500}, {"L_SW_Desc", 501}, {"Btn_OK", 502, 511}, {"Btn_Cancel", 503, 512}}},
    {"FBoot",
     {{"FBoot", 802},
      {"L_SW_Desc", 803},
      {"L_IP_Address", 806},
      {"E_IP1", kNone, 821},
      {"E_IP2", kNone, 822},
      {"E_IP3", kNone, 823},
      {"E_IP4", kNone, 824},
      {"L_Update_Option", 814},
      {"CB_Update_Options", kNone, 832},
      {"CB_Update_Option_Read_Back", 818, 833},
      {"Btn_Cancel", 819, 834},
      {"Btn_Update", 820, 835}}},
    {"FParGen2",
     {{"FParGen2", 1000},
      {"L_SW_Desc", 1001},
      {"L_DMX_DMX", 1007},
      {"CB_DMX_DMX", kNone, 1008},
      {"L_DMX_ChannelNum", 1009},
      {"E_DMX_ChannelNum", kNone, 1010},
      {"CB_DMX_EndLineRes", 1143, 1144},
      {"L_ModbusSlave_Serial", 1080},
      {"CB_ModbusSlave_Serial", kNone, 1081},
      {"L_ModbusSlave_Baudrate", 1082},
      {"CB_ModbusSlave_Baudrate", kNone, 1083},
      {"L_ModbusSlave_Parity", 1084},
      {"CB_ModbusSlave_Parity", kNone, 1085},
      {"L_ModbusSlave_StopBits", 1086},
      {"CB_ModbusSlave_StopBits", kNone, 1087},
      {"L_ModbusSlave_IDDevice", 1088},
      {"E_ModbusSlave_IDDevice", kNone, 1089},
      {"CB_Modbus_Slave_MapDMX", 1141, 1142},
      {"L_Ethernet_IP", 1095},
      {"E_Ethernet_IP1", kNone, 1096},
      {"E_Ethernet_IP2", kNone, 1097},
      {"E_Ethernet_IP3", kNone, 1098},
      {"E_Ethernet_IP4", kNone, 1099},
      {"L_Ethernet_SM", 1100},
      {"E_Ethernet_SM1", kNone, 1101},
      {"E_Ethernet_SM2", kNone, 1102},
      {"E_Ethernet_SM3", kNone, 1103},
      {"E_Ethernet_SM4", kNone, 1104},
      {"CB_Ethernet_En_GAT", 1105, 1106},
      {"E_Ethernet_GAT1", kNone, 1107},
      {"E_Ethernet_GAT2", kNone, 1108},
      {"E_Ethernet_GAT3", kNone, 1109},
      {"E_Ethernet_GAT4", kNone, 1110},
      {"Btn_OK", 1002, 1004},
      {"Btn_Cancel", 1003, 1005}}},
};

// The program's windows after a change to a shipped language; the windows a
// change skips apply theirs as their showing does.
struct InShippedLanguage : UiFixture {
  InShippedLanguage()
      : UiFixture([](const lw::test::TempDir& dir) {
          stdfs::create_directories(dir.file("LANGUAGE"));
          stdfs::copy_file(LOOMWORK_SOURCE "/LANGUAGE/Deutsch.lng", dir.file("LANGUAGE/Deutsch.lng"));
        }) {
    app->settings.Language_Name = "Deutsch";
    problem = lw::load_chosen_language(app->catalogue, app->folders.Language_Dir, app->settings);
    app->FLoomworkeFirmWare->Change_Language();
    for (const auto& w : app->windows())
      if (w.texts && w.language == lw::ui::LanguageChange::Skips) w.texts->Set_Lang();
  }
  QString text(int index) const { return QString::fromStdString(app->catalogue.text(index)); }
  QWidget* window(const char* name) const {
    for (const auto& w : app->windows())
      if (w.widget->objectName() == QLatin1String(name)) return w.widget;
    return nullptr;
  }
  std::optional<std::string> problem;
};

// The window's own control of that name; a dialog the window owns holds
// controls of its own.
QWidget* control(QWidget* window, const char* name) {
  if (window->objectName() == QLatin1String(name)) return window;
  auto found = window->findChildren<QWidget*>(QLatin1String(name));
  found.removeIf([window](QWidget* w) { return w->window() != window; });
  return found.size() == 1 ? found.front() : nullptr;
}

} // namespace

class WindowTextsTest : public QObject {
  Q_OBJECT
private slots:
  void everyControlShowsTheTextOfItsIndex() {
    InShippedLanguage f;
    QVERIFY(!f.problem);
    lw::TextTable english;
    english.Fill_English_Texts();
    int rows = 0, translated = 0;
    for (const WindowTexts& expected : kWindows) {
      QWidget* window = f.window(expected.window);
      QVERIFY2(window, expected.window);
      for (const Expected& row : expected.rows) {
        QWidget* widget = control(window, row.control);
        QVERIFY2(widget, row.control);
        for (int index : {row.caption, row.hint}) {
          if (index == kNone) continue;
          ++rows;
          translated += english.Get(index) != f.app->catalogue.text(index);
        }
        QCOMPARE(caption(widget), row.caption == kNone ? QString() : f.text(row.caption));
        QCOMPARE(widget->toolTip(), row.hint == kNone ? QString() : f.text(row.hint));
      }
    }
    // Proof that the check could fail: most texts differ from English.
    QVERIFY2(translated * 4 > rows * 3, qPrintable(QString::number(translated)));
  }

  void everyRowOfTheWindowsIsApplied() {
    InShippedLanguage f;
    int windows = 0;
    for (const auto& w : f.app->windows()) {
      if (!w.texts) continue;
      ++windows;
      QVERIFY(!w.texts->text_rows().empty());
      for (const lw::ui::TextRow& row : w.texts->text_rows()) {
        if (row.caption != kNone) QCOMPARE(caption(row.widget), f.text(row.caption));
        if (row.hint != kNone) QCOMPARE(row.widget->toolTip(), f.text(row.hint));
      }
    }
    QCOMPARE(windows, int(std::size(kWindows)));
  }

  void noControlKeepsAnEnglishCatalogueText() {
    InShippedLanguage f;
    lw::TextTable english;
    english.Fill_English_Texts();
    std::set<QString> untranslated;
    for (int index = 0; index < lw::kTextCount; ++index)
      if (!english.Get(index).empty() && english.Get(index) != f.app->catalogue.text(index))
        untranslated.insert(QString::fromStdString(english.Get(index)));
    // The configuration labels keep the language they were composed in.
    const QStringList kept = {u"L_Name_Conf"_s, u"L_Name_Conf_L2"_s};
    for (const auto& w : f.app->windows()) {
      QList<QWidget*> widgets = w.widget->findChildren<QWidget*>();
      widgets.prepend(w.widget);
      for (QWidget* widget : widgets) {
        if (kept.contains(widget->objectName())) continue;
        for (const QString& shown : {caption(widget), widget->toolTip()})
          QVERIFY2(!untranslated.count(shown), qPrintable(widget->objectName() + u": "_s + shown));
      }
    }
  }

  void aLanguageChangeReachesTheWindowsInProgramOrder() {
    UiFixture f;
    auto& a = *f.app;
    std::vector<lw::ui::Translatable*> expected = {a.FLoomworkeFirmWare.get(),
                                                   a.FNew_Project,
                                                   a.FOpenConf,
                                                   a.FDuplicateConf,
                                                   a.FSheetConf,
                                                   a.FSoftOptions,
                                                   a.FDMXDefVal,
                                                   a.FParGen2};
    QVERIFY(a.language_order() == expected);
  }
};

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
