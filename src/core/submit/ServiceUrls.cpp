#include "core/submit/ServiceUrls.h"

#include "core/common/AsciiCase.h"

namespace nuvo {

namespace {

// The address without "http://" or "https://".
std::string_view WithoutScheme(std::string_view url) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (url.size() >= scheme.size() && EqualsIgnoreCase(url.substr(0, scheme.size()), scheme))
      return url.substr(scheme.size());
  }
  return url;
}

}  // namespace

std::string ServiceUrl(const CServiceProfile& profile, ServiceRole role,
                       std::string_view pathAndQuery) {
  return profile.BaseUrl(role) + std::string(pathAndQuery);
}

std::string ServiceHost(const CServiceProfile& profile, ServiceRole role) {
  return UrlHost(profile.BaseUrl(role));
}

bool IsServicePage(std::string_view url, const CServiceProfile& profile, ServiceRole role,
                   std::string_view pathPrefix) {
  const std::string& base = profile.BaseUrl(role);
  if (base.empty()) return false;
  const std::string expected = std::string(WithoutScheme(base)) + std::string(pathPrefix);
  const std::string_view rest = WithoutScheme(url);
  return rest.size() >= expected.size() &&
         EqualsIgnoreCase(rest.substr(0, expected.size()), expected);
}

std::string UrlHost(std::string_view url) {
  const std::size_t start = url.find("//");
  if (start == std::string_view::npos) return {};
  std::string_view rest = url.substr(start + 2);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  return AsciiLower(rest);
}

bool QueryParameter(std::string_view url, std::string_view name, std::string& value) {
  std::size_t query = url.find('?');
  if (query == std::string_view::npos) return false;
  std::string_view rest = url.substr(query + 1);
  rest = rest.substr(0, rest.find('#'));
  while (!rest.empty()) {
    const std::size_t end = rest.find('&');
    const std::string_view pair = rest.substr(0, end);
    const std::size_t equals = pair.find('=');
    if (pair.substr(0, equals) == name) {
      value =
          equals == std::string_view::npos ? std::string() : std::string(pair.substr(equals + 1));
      return true;
    }
    if (end == std::string_view::npos) break;
    rest = rest.substr(end + 1);
  }
  return false;
}

}  // namespace nuvo
