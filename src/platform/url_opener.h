#pragma once
#include <string>

namespace lw {

// Hands a web address to the desktop's default handler.
class UrlOpener {
public:
  virtual ~UrlOpener() = default;
  virtual bool open(const std::string& url) = 0;
};

// Starts xdg-open detached; the outcome is only whether it could be started.
class DesktopUrlOpener : public UrlOpener {
public:
  bool open(const std::string& url) override;
};

} // namespace lw
