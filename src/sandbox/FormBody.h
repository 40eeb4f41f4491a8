#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sandbox/SandboxPages.h"

// Reads an "application/x-www-form-urlencoded" body the way a strict server does: every byte
// outside the unreserved set must come percent-encoded, and every escape must be whole. Values
// come back as the raw bytes that were encoded, in the order they were sent.
namespace nuvo::sandbox {

std::optional<Fields> ParseFormBody(std::string_view body, std::string& why);

// Percent-encodes `text` for a query (unreserved bytes stay, everything else becomes %XX).
std::string UrlEncode(std::string_view text);

}  // namespace nuvo::sandbox
