#include "sandbox/JsonWriter.h"

#include <cstdio>

namespace nuvo::sandbox {
namespace {

// The length of the well-formed UTF-8 sequence at `pos`, or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned lead = byte(pos);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
  }
  // Overlong forms, surrogates and code points past U+10FFFF.
  if ((lead == 0xE0 && byte(pos + 1) < 0xA0) || (lead == 0xED && byte(pos + 1) > 0x9F) ||
      (lead == 0xF0 && byte(pos + 1) < 0x90) || (lead == 0xF4 && byte(pos + 1) > 0x8F)) {
    return 0;
  }
  return length;
}

}  // namespace

void CJsonWriter::AppendString(std::string_view value) {
  text_ += '"';
  for (std::size_t pos = 0; pos < value.size();) {
    const char c = value[pos];
    const std::size_t length = Utf8SequenceAt(value, pos);
    if (length == 0) {
      text_ += "\xEF\xBF\xBD";
      ++pos;
      continue;
    }
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      text_ += escape;
    } else {
      text_.append(value.substr(pos, length));
    }
    pos += length;
  }
  text_ += '"';
}

}  // namespace nuvo::sandbox
