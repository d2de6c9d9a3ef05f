#pragma once
#include "core/catalogue.h"
#include "core/open_configuration.h"
#include "core/program_folders.h"
#include "options/settings.h"
#include "platform/appender.h"
#include "platform/clock.h"
#include "platform/http.h"
#include "platform/icmp_echo.h"
#include "platform/pdf.h"
#include "platform/process.h"
#include "platform/url_opener.h"
#include "ui/qt_ports.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace lw::ui {

class TFLoomworkeFirmWare;
class TFNew_Project;
class TFOpenConf;
class TFDuplicateConf;
class TFSheetConf;
class TFAbout;
class TFDMXDefVal;
class TFParGen2;
class TFBoot;
class TFSoftOptions;
class Translatable;

// The side effects the windows reach the outside world through.
struct Services {
  UserMessages& messages;
  UrlOpener& urls;
  EchoClient& echo;
  Clock& clock;
  ProcessLauncher& launcher;
  HttpClient& http;
  FilePicker& files;
  WallClock& wall;
  LineAppender& log;
  PdfRenderer* pdf;   // null: the sheet is written as HTML only
  std::string server; // the vendor's web server: scheme, host and port
};

// Whether a language change re-applies a window's texts; the others keep
// fixed texts or apply theirs at every showing.
enum class LanguageChange { Reapplies, Skips };

// Every window of the program, created once in program order with the main
// window first (its creation runs the start-up that the others rely on).
class Application {
public:
  struct Window {
    QWidget* widget;
    Translatable* texts; // null: no catalogue texts
    LanguageChange language;
  };

  Application(Services services, const std::string& exe_dir);
  ~Application();

  // In creation order.
  const std::vector<Window>& windows() const { return windows_; }
  // The windows a language change reaches, in this order.
  std::vector<Translatable*> language_order() const;

  // What the windows share, each window given the parts it uses. The
  // folders are named before any window is made; the main window's
  // creation fills the rest.
  const ProgramFolders folders;
  Settings settings;
  OpenConfiguration conf;
  Catalogue catalogue;
  std::unique_ptr<TFLoomworkeFirmWare> FLoomworkeFirmWare;
  TFNew_Project* FNew_Project = nullptr;
  TFOpenConf* FOpenConf = nullptr;
  TFDuplicateConf* FDuplicateConf = nullptr;
  TFSheetConf* FSheetConf = nullptr;
  TFAbout* FAbout = nullptr;
  TFSoftOptions* FSoftOptions = nullptr;
  TFDMXDefVal* FDMXDefVal = nullptr;
  TFBoot* FBoot = nullptr;
  TFParGen2* FParGen2 = nullptr;

private:
  template <class W> W* add(W* window, LanguageChange language);

  std::vector<Window> windows_;
};

} // namespace lw::ui
