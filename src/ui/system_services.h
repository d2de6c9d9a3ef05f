#pragma once
#include "platform/appender.h"
#include "platform/clock.h"
#include "platform/http.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "platform/url_opener.h"
#include "ui/application.h"
#include "ui/qt_ports.h"

#include <string>

namespace lw::ui {

// The real adapters the program runs with.
struct SystemServices {
  MessageBoxes messages;
  DesktopUrlOpener urls;
  IcmpEchoClient echo;
  SteadyClock clock;
  SystemLauncher launcher;
  CurlHttpClient http;
  FileDialogs files;
  SystemWallClock wall;
  FileAppender log;
  QtPdfRenderer pdf;

  Services services(const std::string& server) {
    return {messages, urls, echo, clock, launcher, http, files, wall, log, &pdf, server};
  }
};

} // namespace lw::ui
