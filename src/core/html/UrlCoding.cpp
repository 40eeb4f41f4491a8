#include "core/html/UrlCoding.h"

#include <optional>

#include "core/common/Encoding.h"
#include "core/html/CharClass.h"

namespace nuvo {
namespace {

constexpr char kUpperHex[] = "0123456789ABCDEF";

// Converts the pending UTF-16 units and appends them; false when they have no code page 932 form.
bool FlushUnits(std::u16string& units, std::string& out) {
  if (units.empty()) return true;
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  units.clear();
  std::optional<std::string> converted = ConvertCharset(bytes, "UTF-16LE", kCp932);
  if (!converted || converted->empty()) return false;
  out += *converted;
  return true;
}

bool IsEscapeAt(std::string_view text, std::size_t pos) {
  if (pos + 6 > text.size() || text[pos] != '\\' || text[pos + 1] != 'u') return false;
  for (std::size_t i = pos + 2; i < pos + 6; ++i) {
    if (!IsHexDigitChar(text[i])) return false;
  }
  return true;
}

}  // namespace

std::string UrlEncode(std::string_view text) {
  std::string encoded;
  encoded.reserve(text.size() * 3);
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
        c == '-' || c == '.' || c == '_') {
      encoded += c;
    } else if (c == ' ') {
      encoded += '+';
    } else {
      encoded += '%';
      encoded += kUpperHex[byte >> 4];
      encoded += kUpperHex[byte & 0x0F];
    }
  }
  return encoded;
}

std::string UrlDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%' && pos + 2 < text.size() && IsHexDigitChar(text[pos + 1]) &&
               IsHexDigitChar(text[pos + 2])) {
      decoded +=
          static_cast<char>(HexDigitValue(text[pos + 1]) * 16 + HexDigitValue(text[pos + 2]));
      pos += 2;
    } else {
      decoded += c;
    }
  }
  return decoded;
}

std::optional<std::string> FindQueryValue(std::string_view url, std::string_view name) {
  const std::size_t question = url.find('?');
  if (question == std::string_view::npos) return std::nullopt;
  std::string_view query = url.substr(question + 1);
  query = query.substr(0, query.find('#'));
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    const std::size_t equals = pair.find('=');
    if (UrlDecode(pair.substr(0, equals)) != name) continue;
    return equals == std::string_view::npos ? std::string() : UrlDecode(pair.substr(equals + 1));
  }
  return std::nullopt;
}

UnicodeEscapes DecodeUnicodeEscapes(std::string_view text, std::string& out) {
  out.clear();
  std::u16string units;
  bool decoded = false;
  for (std::size_t pos = 0; pos < text.size();) {
    if (IsEscapeAt(text, pos)) {
      int unit = 0;
      for (std::size_t i = pos + 2; i < pos + 6; ++i) unit = unit * 16 + HexDigitValue(text[i]);
      units += static_cast<char16_t>(unit);
      decoded = true;
      pos += 6;
      continue;
    }
    if (!FlushUnits(units, out)) {
      out.clear();
      return UnicodeEscapes::kUnconvertible;
    }
    // A backslash that is the second byte of a character such as "ソ" starts no escape.
    const std::size_t width = CharWidthAt(text, pos);
    out.append(text, pos, width);
    pos += width;
  }
  if (!FlushUnits(units, out)) {
    out.clear();
    return UnicodeEscapes::kUnconvertible;
  }
  return decoded ? UnicodeEscapes::kDecoded : UnicodeEscapes::kNone;
}

}  // namespace nuvo
