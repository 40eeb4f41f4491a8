#pragma once

#include <cstdint>
#include <span>
#include <string>

// The SHA-256 fingerprint of a run of bytes. The batch uses it to know a listing file it has
// listed before by its content, whatever the file is called now. The core has no hash of its
// own to borrow from: neither the standard library nor ICU offers one.
namespace nuvo {

// Lower-case hexadecimal, 64 characters.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace nuvo
