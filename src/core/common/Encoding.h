#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Text in the core is code page 932 (Shift_JIS as Windows extends it) in std::string.
// These are the byte rules every walk over such text follows, and the one place that converts
// between code page 932 and the other encodings (through ICU).
namespace nuvo {

// ICU converter names of the encodings the program meets.
inline constexpr char kCp932[] = "windows-31j";
inline constexpr char kEucJp[] = "EUC-JP";
inline constexpr char kIso2022Jp[] = "ISO-2022-JP";
inline constexpr char kUtf8[] = "UTF-8";

// A byte that starts a two-byte character: not below 0x80, not 0x80, not 0xA0..0xDF.
constexpr bool IsLeadByte(unsigned char byte) {
  return byte > 0x80 && (byte < 0xA0 || byte > 0xDF);
}

// Width of the character at `pos`: 2 for a lead byte with its trail byte present, else 1.
constexpr std::size_t CharWidthAt(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Converts between two ICU converter names. Fails (nullopt) on a sequence that is not valid in
// `from` or a character that `to` cannot hold; never substitutes.
std::optional<std::string> ConvertCharset(std::string_view text, const char* from, const char* to);

// Code page 932 for UTF-8 text that is known to fit, such as the program's own literals and
// strings; a character outside code page 932 is a programming error and aborts.
std::string Cp932(std::string_view utf8);
// Code page 932 for UTF-8 text that only names something in a message, such as a file name:
// each character outside code page 932 shows as 〓.
std::string Cp932ForMessage(std::string_view utf8);

// Code page 932 for UTF-8 text from outside; nullopt when a character does not fit.
std::optional<std::string> Cp932FromUtf8(std::string_view utf8);

// UTF-8 for code page 932 text; a byte sequence that is not code page 932 becomes U+FFFD.
std::string Utf8FromCp932(std::string_view cp932);

}  // namespace nuvo
