#include "platform/files.h"
#include "platform/icmp_echo.h"
#include "platform/wide_text_win.h"

// Windows' headers each need the one before them.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace lw {

namespace {
constexpr std::size_t kPayloadSize = 32;
constexpr DWORD kIdleSliceMs = 10;

std::int64_t now_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string dotted(const std::array<std::uint8_t, 4>& a) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
         std::to_string(a[3]);
}

// One request in flight: the system writes its reply into the buffer and
// signals the event, whenever that is, so both live until it has.
struct Request {
  Request() : event(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Request() {
    if (event) ::CloseHandle(event);
  }
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;
  HANDLE event;
  std::vector<std::uint8_t> payload = std::vector<std::uint8_t>(kPayloadSize);
  std::vector<std::uint8_t> reply =
      std::vector<std::uint8_t>(sizeof(ICMP_ECHO_REPLY) + kPayloadSize + 8 + 64);
};
} // namespace

IcmpEchoClient::IcmpEchoClient() = default;

IcmpEchoClient::~IcmpEchoClient() {
  if (icmp_) ::IcmpCloseHandle(icmp_);
}

std::optional<std::size_t> IcmpEchoClient::echo(const std::array<std::uint8_t, 4>& address, int timeout_ms,
                                                const std::function<bool()>& keep_waiting) {
  if (!icmp_) {
    HANDLE h = ::IcmpCreateFile();
    if (h == INVALID_HANDLE_VALUE)
      throw EchoFailure(EchoFailure::Kind::NotPermitted,
                        "Cannot open the ICMP helper: " + fs::system_error_text(win::last_errno()));
    icmp_ = h;
  }
  auto request = std::make_shared<Request>();
  if (!request->event)
    throw EchoFailure(EchoFailure::Kind::SendFailed,
                      "Cannot wait for an echo reply: " + fs::system_error_text(win::last_errno()));
  for (std::size_t i = 0; i < kPayloadSize; ++i)
    request->payload[i] = static_cast<std::uint8_t>('a' + i % 23);
  IPAddr to = 0;
  std::memcpy(&to, address.data(), 4);

  const std::int64_t deadline = now_ms() + timeout_ms;
  auto waiting = [&] { return !keep_waiting || keep_waiting(); };
  auto wait_out = [&] {
    // An error reply or an unreachable network ends this request without a
    // reply, but never faster than its time-out, so the probe paces itself.
    while (now_ms() < deadline && waiting())
      ::Sleep(kIdleSliceMs);
    return std::optional<std::size_t>();
  };

  DWORD sent = ::IcmpSendEcho2(icmp_, request->event, nullptr, nullptr, to, request->payload.data(),
                               static_cast<WORD>(kPayloadSize), nullptr, request->reply.data(),
                               static_cast<DWORD>(request->reply.size()), static_cast<DWORD>(timeout_ms));
  if (sent == 0 && ::GetLastError() != ERROR_IO_PENDING) {
    DWORD err = ::GetLastError();
    if (err == IP_DEST_NET_UNREACHABLE || err == IP_DEST_HOST_UNREACHABLE || err == IP_REQ_TIMED_OUT)
      return wait_out();
    throw EchoFailure(EchoFailure::Kind::SendFailed, "Cannot send an echo request to " + dotted(address) +
                                                         ": " + fs::system_error_text(win::errno_of(err)));
  }
  for (;;) {
    if (::WaitForSingleObject(request->event, kIdleSliceMs) == WAIT_OBJECT_0) break;
    if (now_ms() >= deadline + static_cast<std::int64_t>(kIdleSliceMs) || !waiting()) {
      // The request can't be called back: it keeps its buffers until the
      // system is done with them.
      std::thread([request, timeout_ms] {
        ::WaitForSingleObject(request->event, static_cast<DWORD>(timeout_ms) + 1000);
      }).detach();
      return std::nullopt;
    }
  }
  if (::IcmpParseReplies(request->reply.data(), static_cast<DWORD>(request->reply.size())) == 0)
    return wait_out();
  const auto* reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(request->reply.data());
  if (reply->Status != IP_SUCCESS) return wait_out();
  return static_cast<std::size_t>(reply->DataSize);
}

} // namespace lw
