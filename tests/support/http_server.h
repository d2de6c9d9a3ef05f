#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lw::test {

// A one-thread HTTP server on 127.0.0.1 for the tests: answers every request
// with `response` (raw bytes), or, when silent, accepts and never answers.
class LoopbackHttpServer {
public:
  explicit LoopbackHttpServer(std::string response, bool silent = false);
  ~LoopbackHttpServer();
  std::string base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::vector<std::string> requests();

private:
  void serve();
  int listen_fd_ = -1;
  int port_ = 0;
  std::string response_;
  bool silent_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> held_;
  std::thread thread_;
};

std::string http_reply(int status, const std::string& body, const std::string& extra_headers = "");

} // namespace lw::test
