#include "cli.h"
#include "options/version_check.h"
#include "platform/http.h"

#include <ostream>

namespace lw::cli {

int cmd_check_update(const Args& args, Io& io) {
  std::string server = kVendorServer;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--server" && i + 1 < args.size()) {
      server = args[++i];
      while (!server.empty() && server.back() == '/')
        server.pop_back();
    } else {
      io.err << "loomwork-cli check-update: usage: check-update [--server URL]\n";
      return kExitUsage;
    }
  }
  CurlHttpClient http;
  io.out << (Check_Version(http, server) ? "newer" : "none") << "\n";
  return kExitOk;
}

} // namespace lw::cli
