#include "core/net/HttpUrl.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace nuvo {
namespace {

// `prefix` is in lower case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
           return std::tolower(static_cast<unsigned char>(c)) == lower;
         });
}

// "https://" when `url` is https, else "http://" (also for an address without a scheme).
std::string_view SchemeOf(std::string_view url) {
  return IsSecureUrl(url) ? "https://" : "http://";
}

// The scheme and host of `url` ("http://host:port"), or nothing when it has no host part.
std::optional<std::string_view> SchemeAndHost(std::string_view url) {
  const std::size_t separator = url.find("://");
  if (separator == std::string_view::npos) return std::nullopt;
  const std::size_t hostStart = separator + 3;
  return url.substr(0, url.find_first_of("/?#", hostStart));
}

}  // namespace

bool IsSecureUrl(std::string_view url) { return StartsWithNoCase(url, "https://"); }

bool IsHttpUrl(std::string_view url) {
  std::size_t hostStart;
  if (StartsWithNoCase(url, "http://")) {
    hostStart = 7;
  } else if (StartsWithNoCase(url, "https://")) {
    hostStart = 8;
  } else {
    return false;
  }
  const std::size_t hostEnd = url.find_first_of("/?#", hostStart);
  return (hostEnd == std::string_view::npos ? url.size() : hostEnd) > hostStart;
}

std::string ResolveUrl(std::string_view current, std::string_view url) {
  url = url.substr(0, url.find('#'));
  if (current.empty()) return std::string(url);

  const std::size_t queryStart = std::min(url.find('?'), url.size());
  std::string_view path = url.substr(0, queryStart);
  const std::string_view query = url.substr(queryStart);
  if (path.find("://") != std::string_view::npos) return std::string(url);

  if (path.starts_with("//")) {
    if (path.size() < 3) {
      const auto origin = SchemeAndHost(current);
      return origin ? std::string(*origin) + "/" : std::string(url);
    }
    return std::string(SchemeOf(current)).append(path.substr(2)).append(query);
  }
  if (path.starts_with("/")) {
    const auto origin = SchemeAndHost(current);
    return origin ? std::string(*origin).append(path).append(query) : std::string(url);
  }

  std::string base(current.substr(0, current.find_first_of("?#")));
  const auto origin = SchemeAndHost(base);
  // The address of a bare host ("http://host") stands for its root folder.
  if (origin && origin->size() == base.size()) base += '/';
  base.resize(base.rfind('/') + 1);
  if (path.starts_with("./")) path.remove_prefix(2);
  return base.append(path).append(query);
}

}  // namespace nuvo
