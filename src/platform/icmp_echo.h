#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace lw {

// Why an echo request could not be made at all.
class EchoFailure : public std::runtime_error {
public:
  enum class Kind { NotPermitted, SendFailed };
  EchoFailure(Kind kind, const std::string& text) : std::runtime_error(text), kind(kind) {}
  Kind kind;
};

// ICMP echo over IPv4. One request, then the wait for its own reply.
class EchoClient {
public:
  virtual ~EchoClient() = default;
  // The number of data bytes the reply carried, or nullopt when no reply
  // came within timeout_ms (an error reply counts as none). keep_waiting
  // runs at least every 10 ms while waiting; once it says false the wait
  // ends at once without a reply. Throws EchoFailure.
  virtual std::optional<std::size_t> echo(const std::array<std::uint8_t, 4>& address, int timeout_ms,
                                          const std::function<bool()>& keep_waiting) = 0;
};

// The system's own echo. On Linux an unprivileged ICMP datagram socket where
// the system allows one, else a raw socket, replies matched by identifier and
// sequence number; on Windows the ICMP helper (IcmpSendEcho2), which needs no
// privilege.
class IcmpEchoClient : public EchoClient {
public:
  IcmpEchoClient();
  ~IcmpEchoClient() override;
  IcmpEchoClient(const IcmpEchoClient&) = delete;
  IcmpEchoClient& operator=(const IcmpEchoClient&) = delete;
  std::optional<std::size_t> echo(const std::array<std::uint8_t, 4>& address, int timeout_ms,
                                  const std::function<bool()>& keep_waiting) override;

private:
#ifdef _WIN32
  void* icmp_ = nullptr;
#else
  void open_socket();
  int fd_ = -1;
  bool raw_ = false;
  std::uint16_t id_ = 0;
  std::uint16_t sequence_ = 0;
#endif
};

} // namespace lw
