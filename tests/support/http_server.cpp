#include "http_server.h"

#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace lw::test {

namespace {
#ifdef _WIN32
using SocketLength = int;
int close_socket(int fd) { return ::closesocket(static_cast<SOCKET>(fd)); }
int wait_readable(int fd, int ms) {
  WSAPOLLFD p{static_cast<SOCKET>(fd), POLLRDNORM, 0};
  return ::WSAPoll(&p, 1, ms);
}
int open_socket() {
  static const bool started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) return -1;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
  return s == INVALID_SOCKET ? -1 : static_cast<int>(s);
}
constexpr int kShutdownWrite = SD_SEND;
#else
using SocketLength = socklen_t;
int close_socket(int fd) { return ::close(fd); }
int wait_readable(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, ms);
}
int open_socket() { return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0); }
constexpr int kShutdownWrite = SHUT_WR;
#endif
} // namespace

std::string http_reply(int status, const std::string& body, const std::string& extra_headers) {
  return "HTTP/1.0 " + std::to_string(status) +
         " Status\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
         extra_headers + "\r\n" + body;
}

LoopbackHttpServer::LoopbackHttpServer(std::string response, bool silent)
    : response_(std::move(response)), silent_(silent) {
  listen_fd_ = open_socket();
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (listen_fd_ < 0 || ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listen_fd_, 8) != 0)
    throw std::runtime_error("cannot listen on loopback");
  SocketLength len = sizeof addr;
  ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stop_ = true;
  thread_.join();
  for (int fd : held_)
    close_socket(fd);
  close_socket(listen_fd_);
}

std::vector<std::string> LoopbackHttpServer::requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackHttpServer::serve() {
  while (!stop_) {
    if (wait_readable(listen_fd_, 20) <= 0) continue;
    int fd = static_cast<int>(::accept(listen_fd_, nullptr, nullptr));
    if (fd < 0) continue;
    if (silent_) {
      held_.push_back(fd);
      continue;
    }
    std::string request;
    char buf[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
      if (wait_readable(fd, 2000) <= 0) break;
      auto n = ::recv(fd, buf, sizeof buf, 0);
      if (n <= 0) break;
      request.append(buf, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    [[maybe_unused]] auto written = ::send(fd, response_.data(), static_cast<int>(response_.size()), 0);
    ::shutdown(fd, kShutdownWrite);
    close_socket(fd);
  }
}

} // namespace lw::test
