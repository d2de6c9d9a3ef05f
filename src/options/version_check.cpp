#include "options/version_check.h"

#include "core/identity.h"
#include "core/text.h"
#include "formats/utf8.h"
#include "platform/http.h"

namespace lw {

int Conv_Version(const std::string& Ver_str) {
  auto blank = Ver_str.find(' ');
  std::string v(trim_controls(blank == std::string::npos ? std::string_view(Ver_str)
                                                         : std::string_view(Ver_str).substr(blank + 1)));
  if (v.size() < 5) return -1;
  std::string digits{v[0], v[2], v[3], v[4]};
  return parse_integer(digits).value_or(-1);
}

std::string version_request_url(const std::string& server) {
  return server + "/home/download/GetversionSW.asp?nomesw=" + std::string(kSW_Code);
}

std::string download_page_url(const std::string& server) {
  return server + "/Home/download/download.asp#HD40873";
}

VersionCheck query_version(HttpClient& http, const std::string& server) {
  using Answer = VersionCheck::Answer;
  std::optional<std::string> reply = http.get(version_request_url(server));
  if (!reply) {
    std::string why = http.last_failure();
    return {Answer::Failed, why.empty() ? "the server could not be asked" : why};
  }
  std::string_view trimmed = trim_controls(*reply);
  if (trimmed.empty() || utf8::same_ignoring_ascii_case(trimmed, "VER. 0.000")) return {Answer::None, {}};
  int local = Conv_Version(std::string(SW_Version));
  int remote = Conv_Version(std::string(trimmed));
  if (remote == -1) return {Answer::Failed, "the server's reply holds no version"};
  return {local != -1 && remote > local ? Answer::Newer : Answer::None, {}};
}

bool Check_Version(HttpClient& http, const std::string& server) {
  return query_version(http, server).answer == VersionCheck::Answer::Newer;
}

} // namespace lw
