#pragma once
#include <string>
#include <utility>

namespace lw {

// Hands a web address to the desktop's default handler.
class UrlOpener {
public:
  virtual ~UrlOpener() = default;
  virtual bool open(const std::string& url) = 0;
};

// Starts the desktop's handler (xdg-open on Linux, the shell on Windows) or
// the given stand-in detached and returns at once; the outcome is only
// whether it could be started.
class DesktopUrlOpener : public UrlOpener {
public:
#ifdef _WIN32
  explicit DesktopUrlOpener(std::string program = {}) : program_(std::move(program)) {}
#else
  explicit DesktopUrlOpener(std::string program = "xdg-open") : program_(std::move(program)) {}
#endif
  bool open(const std::string& url) override;

private:
  std::string program_;
};

} // namespace lw
