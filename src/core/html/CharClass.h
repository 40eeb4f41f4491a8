#pragma once

#include <string_view>

// Classes of code page 932 bytes and of whole texts: ASCII, half-width katakana, digits, numbers.
namespace nuvo {

constexpr bool IsAsciiChar(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Half-width katakana, 0xA0..0xDF, and the lone byte 0x80: one-byte characters above ASCII.
constexpr bool IsHalfWidthKana(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0xA0 && byte <= 0xDF) || byte == 0x80;
}

constexpr bool IsSingleByteChar(char c) { return IsAsciiChar(c) || IsHalfWidthKana(c); }

constexpr bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsHexDigitChar(char c) {
  return IsDigitChar(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of a hexadecimal digit; -1 for any other byte.
constexpr int HexDigitValue(char c) {
  if (IsDigitChar(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Flags of IsNumberText.
inline constexpr unsigned kNumberSigned = 1;        // "+" or "-" may be the first byte
inline constexpr unsigned kNumberDecimalPoint = 2;  // "." may stand anywhere
inline constexpr unsigned kNumberHex = 4;           // hexadecimal digits instead of decimal ones

// Whether every byte of `text` is a digit, allowing what `flags` allow. A text without any digit
// (empty, or only a sign or points) is no number.
bool IsNumberText(std::string_view text, unsigned flags);

// Whether any character of the code page 932 `text` is half-width katakana; the second byte of a
// two-byte character is never taken for one.
bool HasHalfWidthKana(std::string_view text);

}  // namespace nuvo
