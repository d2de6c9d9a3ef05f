#pragma once
#include "cli_run.h"
#include "platform/icmp_echo.h"
#include "private_network.h"

#include <optional>
#include <string>

namespace lw::test {

// A run of the companion inside a private network (private_network.h),
// or why this machine can't make one: no namespace, or no ICMP socket for
// this user, which no probe could do without.
struct PrivateCliRun {
  CliRun run;
  std::optional<std::string> unavailable;
};

inline PrivateCliRun run_cli_in_private_network(const std::string& exe_dir, cli::Args args) {
  const PrivateNetworkRun child = in_private_network([&] {
    try {
      IcmpEchoClient client;
      client.echo({127, 0, 0, 1}, 400, {});
    } catch (const EchoFailure& e) {
      return "N" + std::string(e.what());
    }
    const CliRun run = run_cli(exe_dir, args);
    return "R" + std::to_string(run.status) + "\n" + std::to_string(run.out.size()) + "\n" + run.out +
           run.err;
  });
  if (child.unavailable) return {{}, "no private network here: " + *child.unavailable};
  const std::string& said = child.output;
  if (said.starts_with("N")) return {{}, "this machine forbids ICMP sockets: " + said.substr(1)};
  // Anything else is a run that went wrong: the test sees it fail.
  if (!said.starts_with("R"))
    return {{-1, {}, "the run in the private network failed: " + said}, std::nullopt};
  const std::size_t status_end = said.find('\n');
  const std::size_t size_end = said.find('\n', status_end + 1);
  const std::size_t out_size = std::stoul(said.substr(status_end + 1, size_end - status_end - 1));
  return {{std::stoi(said.substr(1, status_end - 1)), said.substr(size_end + 1, out_size),
           said.substr(size_end + 1 + out_size)},
          std::nullopt};
}

} // namespace lw::test
