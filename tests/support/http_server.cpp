#include "http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace lw::test {

std::string http_reply(int status, const std::string& body, const std::string& extra_headers) {
  return "HTTP/1.0 " + std::to_string(status) +
         " Status\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
         extra_headers + "\r\n" + body;
}

LoopbackHttpServer::LoopbackHttpServer(std::string response, bool silent)
    : response_(std::move(response)), silent_(silent) {
  listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (listen_fd_ < 0 || ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listen_fd_, 8) != 0)
    throw std::runtime_error("cannot listen on loopback");
  socklen_t len = sizeof addr;
  ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stop_ = true;
  thread_.join();
  for (int fd : held_)
    ::close(fd);
  ::close(listen_fd_);
}

std::vector<std::string> LoopbackHttpServer::requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackHttpServer::serve() {
  while (!stop_) {
    pollfd p{listen_fd_, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    int fd = ::accept(listen_fd_, nullptr, nullptr);
    if (fd < 0) continue;
    if (silent_) {
      held_.push_back(fd);
      continue;
    }
    std::string request;
    char buf[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
      pollfd c{fd, POLLIN, 0};
      if (::poll(&c, 1, 2000) <= 0) break;
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n <= 0) break;
      request.append(buf, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    [[maybe_unused]] auto written = ::write(fd, response_.data(), response_.size());
    ::shutdown(fd, SHUT_WR);
    ::close(fd);
  }
}

} // namespace lw::test
