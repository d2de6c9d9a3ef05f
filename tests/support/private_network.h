#pragma once
#include <functional>
#include <optional>
#include <string>

namespace lw::test {

// What a body run in a private network wrote, or why this machine has no
// such network to offer (the test then skips with it).
struct PrivateNetworkRun {
  std::string output;
  std::optional<std::string> unavailable;
};

// Runs body in a child process inside a network namespace of its own, with
// nothing in it but its loopback, up: 127.0.0.0/8 answers echo requests
// (unless `silent_loopback`, when it ignores them) and every other address is
// unreachable, so stays silent. Needs the right to make the namespace.
PrivateNetworkRun in_private_network(const std::function<std::string()>& body, bool silent_loopback = false);

} // namespace lw::test
