#include "cli.h"
#include "exit_status.h"
#include "options/version_check.h"
#include "platform/http.h"

#include <ostream>

namespace lw::cli {

int cmd_check_update(const Parsed& args, Io& io) {
  std::string server = args.value("--server", kVendorServer);
  while (!server.empty() && server.back() == '/')
    server.pop_back();
  CurlHttpClient http;
  // The one word on standard output stays what the window would decide; a
  // check that could not be made says so beside it.
  VersionCheck check = query_version(http, server);
  io.out << (check.answer == VersionCheck::Answer::Newer ? "newer" : "none") << "\n";
  if (check.answer != VersionCheck::Answer::Failed) return kExitOk;
  complain(io.err, args.command) << "the check failed: " << check.failure << "\n";
  return kExitCheckFailed;
}

} // namespace lw::cli
