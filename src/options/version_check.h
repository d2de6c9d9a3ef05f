#pragma once
#include <string>

namespace lw {

class HttpClient;

inline constexpr const char* kVendorServer = "http://www.quorvexsite.com";

// The comparable number of a version text "D.DDD" after the first blank, or
// -1 when it holds no valid version.
int Conv_Version(const std::string& Ver_str);

// What the server said of a newer version; Failed with the reason when it
// could not be asked or its reply holds no version.
struct VersionCheck {
  enum class Answer { Newer, None, Failed };
  Answer answer;
  std::string failure;
};
[[nodiscard]] VersionCheck query_version(HttpClient& http, const std::string& server = kVendorServer);

// Asks the server whether a version newer than this one exists. Every
// failure counts as no. `server` is the scheme, host and port.
bool Check_Version(HttpClient& http, const std::string& server = kVendorServer);

std::string version_request_url(const std::string& server = kVendorServer);
std::string download_page_url(const std::string& server = kVendorServer);

} // namespace lw
