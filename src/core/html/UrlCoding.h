#pragma once

#include <optional>
#include <string>
#include <string_view>

// Encodings of text for URLs and scripts: form-style URL encoding and the "\uXXXX" escapes that
// scripts and JSON use.
namespace nuvo {

// Form-style encoding, byte by byte: letters, digits and "*-._" stay, a space becomes "+", every
// other byte (both bytes of a two-byte character too) becomes "%XX" in upper-case hexadecimal.
std::string UrlEncode(std::string_view text);

// The reverse of UrlEncode: "+" becomes a space and each "%XX" its byte; a "%" without two
// hexadecimal digits after it stays as it is.
std::string UrlDecode(std::string_view text);

// The decoded value of the first parameter `name` in the query of `url` (the part after "?" up to
// any "#"); empty for a parameter without "=", nullopt when the query does not name it.
std::optional<std::string> FindQueryValue(std::string_view url, std::string_view name);

// How DecodeUnicodeEscapes went; the values are the ones the program has always returned.
enum class UnicodeEscapes {
  kUnconvertible = 0,  // a decoded character has no code page 932 form; the output is empty
  kDecoded = 1,        // at least one escape was decoded
  kNone = 2,           // the text held no escape (or was empty); the output equals the input
};

// Decodes each "\u" followed by four hexadecimal digits as a UTF-16 unit into `out`, in code page
// 932. Neighbouring escapes are decoded together so that surrogate pairs meet.
UnicodeEscapes DecodeUnicodeEscapes(std::string_view text, std::string& out);

}  // namespace nuvo
