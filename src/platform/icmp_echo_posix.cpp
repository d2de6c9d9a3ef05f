#include "platform/icmp_echo.h"

#include "platform/files.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lw {

namespace {
constexpr std::size_t kPayloadSize = 32;
constexpr int kIdleSliceMs = 10;
constexpr const char* kPermissionHint =
    "ICMP echo needs permission: net.ipv4.ping_group_range must cover the user's group, "
    "or the program needs the raw-socket capability (CAP_NET_RAW).";

std::uint16_t internet_checksum(const std::uint8_t* data, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
  if (size & 1) sum += static_cast<std::uint32_t>(data[size - 1] << 8);
  while (sum >> 16)
    sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

std::int64_t now_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

IcmpEchoClient::IcmpEchoClient() = default;

IcmpEchoClient::~IcmpEchoClient() {
  if (fd_ >= 0) ::close(fd_);
}

void IcmpEchoClient::open_socket() {
  if (fd_ >= 0) return;
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd_ >= 0) {
    raw_ = false;
    // The kernel puts the socket's port in the identifier; learn it to match.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    ::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local);
    socklen_t len = sizeof local;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len);
    id_ = ntohs(local.sin_port);
    return;
  }
  int dgram_error = errno;
  fd_ = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd_ >= 0) {
    raw_ = true;
    id_ = static_cast<std::uint16_t>(::getpid() ^ 0x4C57);
    return;
  }
  int raw_error = errno;
  throw EchoFailure(EchoFailure::Kind::NotPermitted,
                    "Cannot open an ICMP socket: " + fs::system_error_text(raw_error) +
                        " (datagram socket: " + fs::system_error_text(dgram_error) + ").\n" +
                        kPermissionHint);
}

std::optional<std::size_t> IcmpEchoClient::echo(const std::array<std::uint8_t, 4>& address, int timeout_ms,
                                                const std::function<bool()>& keep_waiting) {
  open_socket();

  sockaddr_in to{};
  to.sin_family = AF_INET;
  std::memcpy(&to.sin_addr.s_addr, address.data(), 4);

  const std::uint16_t seq = ++sequence_;
  std::uint8_t packet[sizeof(icmphdr) + kPayloadSize]{};
  auto* hdr = reinterpret_cast<icmphdr*>(packet);
  hdr->type = ICMP_ECHO;
  hdr->code = 0;
  hdr->un.echo.id = htons(id_);
  hdr->un.echo.sequence = htons(seq);
  for (std::size_t i = 0; i < kPayloadSize; ++i)
    packet[sizeof(icmphdr) + i] = static_cast<std::uint8_t>('a' + i % 23);
  hdr->checksum = htons(internet_checksum(packet, sizeof packet));

  const std::int64_t deadline = now_ms() + timeout_ms;
  auto waiting = [&] { return !keep_waiting || keep_waiting(); };
  auto wait_out = [&] {
    // An error reply or an unreachable network ends this request without a
    // reply, but never faster than its time-out, so the probe paces itself.
    while (now_ms() < deadline && waiting())
      ::usleep(kIdleSliceMs * 1000);
    return std::optional<std::size_t>();
  };

  if (::sendto(fd_, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
    int err = errno;
    if (err == ENETUNREACH || err == EHOSTUNREACH || err == EHOSTDOWN) return wait_out();
    throw EchoFailure(EchoFailure::Kind::SendFailed,
                      "Cannot send an echo request to " + std::to_string(address[0]) + "." +
                          std::to_string(address[1]) + "." + std::to_string(address[2]) + "." +
                          std::to_string(address[3]) + ": " + fs::system_error_text(err));
  }

  std::uint8_t buf[1500];
  for (;;) {
    std::int64_t left = deadline - now_ms();
    if (left <= 0) return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    int ready = ::poll(&p, 1, static_cast<int>(std::min<std::int64_t>(left, kIdleSliceMs)));
    if (ready <= 0) {
      if (!waiting()) return std::nullopt;
      continue;
    }
    sockaddr_in from{};
    socklen_t from_len = sizeof from;
    ssize_t n = ::recvfrom(fd_, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &from_len);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return wait_out();
    }
    std::size_t offset = 0;
    if (raw_) {
      if (n < static_cast<ssize_t>(sizeof(iphdr))) continue;
      offset = static_cast<std::size_t>(reinterpret_cast<iphdr*>(buf)->ihl) * 4;
    }
    if (static_cast<std::size_t>(n) < offset + sizeof(icmphdr)) continue;
    if (from.sin_addr.s_addr != to.sin_addr.s_addr) continue;
    const auto* reply = reinterpret_cast<const icmphdr*>(buf + offset);
    if (reply->type != ICMP_ECHOREPLY) continue;
    // Datagram sockets see only their own replies, and the kernel may rewrite
    // the identifier; raw sockets see every reply on the machine.
    if (raw_ && ntohs(reply->un.echo.id) != id_) continue;
    if (ntohs(reply->un.echo.sequence) != seq) continue;
    return static_cast<std::size_t>(n) - offset - sizeof(icmphdr);
  }
}

} // namespace lw
