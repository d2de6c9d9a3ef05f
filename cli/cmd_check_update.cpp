#include "cli.h"
#include "options/version_check.h"
#include "platform/http.h"

#include <ostream>

namespace lw::cli {

int cmd_check_update(const Parsed& args, Io& io) {
  std::string server = args.value("--server", kVendorServer);
  while (!server.empty() && server.back() == '/')
    server.pop_back();
  CurlHttpClient http;
  io.out << (Check_Version(http, server) ? "newer" : "none") << "\n";
  return kExitOk;
}

} // namespace lw::cli
