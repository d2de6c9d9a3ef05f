#pragma once
#include <optional>
#include <string>

namespace lw {

// One GET of an address; the reply body, or nullopt for any failure.
class HttpClient {
public:
  virtual ~HttpClient() = default;
  virtual std::optional<std::string> get(const std::string& url) = 0;
  // Why the last get failed, in the library's or the server's words.
  virtual std::string last_failure() const { return {}; }
};

// libcurl with the version check's request properties: HTTP/1.0, an Accept
// and a User-Agent header, no cookies, no redirects, no authentication, no
// proxy (the environment's proxy settings are ignored), any status other
// than 2xx a failure, connect within 5 s and finish within 10 s.
class CurlHttpClient : public HttpClient {
public:
  std::optional<std::string> get(const std::string& url) override;
  std::string last_failure() const override { return failure_; }

private:
  std::string failure_;
};

} // namespace lw
