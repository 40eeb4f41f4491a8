#pragma once

#include <string>
#include <string_view>

#include "core/net/ServiceProfile.h"

// Addresses on the service's hosts, as the submission builds and recognises them. A page counts
// as the same page over http and https, and letter case never matters.
namespace nuvo {

// The address of `pathAndQuery` (starting with "/") on the host of `role`.
std::string ServiceUrl(const CServiceProfile& profile, ServiceRole role,
                       std::string_view pathAndQuery);

// `url` begins with `pathPrefix` on the host of `role`, over either scheme.
bool IsServicePage(std::string_view url, const CServiceProfile& profile, ServiceRole role,
                   std::string_view pathPrefix);

// The host of `role` without its scheme ("auctions.example" or "127.0.0.1:8080"), lower case.
std::string ServiceHost(const CServiceProfile& profile, ServiceRole role);

// The host of an address without scheme or path, lower case; empty when it has none.
std::string UrlHost(std::string_view url);

// The value of the query parameter `name` (exact name, not decoded); false when the query does
// not hold it.
bool QueryParameter(std::string_view url, std::string_view name, std::string& value);

}  // namespace nuvo
