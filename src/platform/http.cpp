#include "platform/http.h"

#include <curl/curl.h>
#include <memory>

namespace lw {

namespace {
constexpr long kConnectTimeoutMs = 5000;
constexpr long kTotalTimeoutMs = 10000;
constexpr std::size_t kMaxReplyBytes = 64 * 1024; // a version reply is a few bytes

struct CurlInit {
  CurlInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~CurlInit() { curl_global_cleanup(); }
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  std::size_t n = size * count;
  if (body->size() + n > kMaxReplyBytes) return 0; // aborts the transfer
  body->append(data, n);
  return n;
}
} // namespace

std::optional<std::string> CurlHttpClient::get(const std::string& url) {
  static CurlInit init;
  failure_.clear();
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) {
    failure_ = "the HTTP library could not start";
    return std::nullopt;
  }
  char error[CURL_ERROR_SIZE] = {};
  curl_slist* headers = nullptr;
  headers =
      curl_slist_append(headers, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> header_list(headers, curl_slist_free_all);
  std::string body;
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(c, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(c, CURLOPT_PROXY, "");
  curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_NONE);
  curl_easy_setopt(c, CURLOPT_NETRC, CURL_NETRC_IGNORED);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, kTotalTimeoutMs);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
  if (CURLcode rc = curl_easy_perform(c); rc != CURLE_OK) {
    failure_ = error[0] != '\0' ? std::string(error) : std::string(curl_easy_strerror(rc));
    return std::nullopt;
  }
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) {
    failure_ = "the server answered with HTTP status " + std::to_string(status);
    return std::nullopt;
  }
  return body;
}

} // namespace lw
