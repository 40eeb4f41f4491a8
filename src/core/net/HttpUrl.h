#pragma once

#include <string>
#include <string_view>

// The address rules of the HTTP client: how a link found on a page becomes the address of the
// next request, and which addresses the client may fetch at all.
namespace nuvo {

// Resolves `url` against `current`, the address of the last request (empty before any). The
// fragment is always dropped; the query of `url` is kept.
std::string ResolveUrl(std::string_view current, std::string_view url);

// Whether `url` names an http or https resource on some host (scheme in any letter case).
bool IsHttpUrl(std::string_view url);

// Whether `url` uses https.
bool IsSecureUrl(std::string_view url);

}  // namespace nuvo
