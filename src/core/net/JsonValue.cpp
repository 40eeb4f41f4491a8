#include "core/net/JsonValue.h"

#include <limits>

#include "core/common/Encoding.h"
#include "core/html/UrlCoding.h"

namespace nuvo {
namespace {

// `text` with the escapes of quotes, backslashes and slashes resolved in one pass, so that an
// escaped backslash never escapes what follows it; other escapes stay. A two-byte character
// whose trail byte is a backslash takes no part.
std::string UnescapeQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text[pos] == '\\' && pos + 1 < text.size() &&
        std::string_view("\"'\\/").find(text[pos + 1]) != std::string_view::npos) {
      out += text[pos + 1];
      pos += 2;
      continue;
    }
    std::size_t width = CharWidthAt(text, pos);
    out.append(text, pos, width);
    pos += width;
  }
  return out;
}

constexpr bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Appends `text` in `quote`s so that reading it back gives the same text. The escapes it holds
// stay as they are; a bare quote gains a backslash, and so does a backslash that would otherwise
// escape the closing quote.
void AppendQuoted(std::string& out, std::string_view text, char quote) {
  // A lead byte without a proper second byte is no character; written, it would take the quote
  // or separator after it as its second byte, so it is left out.
  auto strayLead = [text](std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) &&
           (CharWidthAt(text, pos) == 1 || !IsTrailByte(static_cast<unsigned char>(text[pos + 1])));
  };
  out += quote;
  for (std::size_t pos = 0; pos < text.size();) {
    if (strayLead(pos)) {
      ++pos;
      continue;
    }
    std::size_t width = CharWidthAt(text, pos);
    if (width == 1 && text[pos] == '\\') {
      const std::size_t next = pos + 1;
      if (next == text.size() || strayLead(next)) {
        // Nothing written follows: the backslash stands for itself.
        out += "\\\\";
        ++pos;
        continue;
      }
      width += CharWidthAt(text, next);
    } else if (width == 1 && text[pos] == quote) {
      out += '\\';
    }
    out.append(text, pos, width);
    pos += width;
  }
  out += quote;
}

}  // namespace

std::string_view CJsonValue::GetTypeName() const {
  switch (GetKind()) {
    case Kind::Array:
      return "array";
    case Kind::Object:
      return "object";
    case Kind::KeyValue:
      return "key_value";
    case Kind::String:
      return "string";
    case Kind::Integer:
      return "integer";
    case Kind::Boolean:
      return "boolean";
    case Kind::Null:
      break;
  }
  return "null";
}

std::string CJsonValue::ToString(JsonKeyForm keys) const {
  std::string out;
  Print(out, 0, keys);
  return out;
}

void CJsonArray::Print(std::string& out, unsigned inherited, JsonKeyForm keys) const {
  out += '[';
  PrintItems(out, inherited, keys);
  out += ']';
}

void CJsonObject::Print(std::string& out, unsigned inherited, JsonKeyForm keys) const {
  out += '{';
  PrintItems(out, inherited, keys);
  out += '}';
}

const CJsonValue* CJsonObject::Find(std::string_view key) const {
  for (const auto& member : items_) {
    if (member->GetKey() == key) return member->GetValue();
  }
  return nullptr;
}

void CJsonKeyValue::Print(std::string& out, unsigned inherited, JsonKeyForm keys) const {
  if (keys == JsonKeyForm::Bare) {
    out += key_;
  } else {
    AppendQuoted(out, key_, Quote(inherited));
  }
  out += ": ";
  if (value_) {
    value_->Print(out, inherited | GetPrintOptions(), keys);
  } else {
    out += "null";
  }
}

std::string CJsonString::GetText(unsigned flags) const {
  std::string text = text_;
  if (flags & kJsonUnescapeQuotes) text = UnescapeQuotes(text);
  if (flags & kJsonDecodeUnicode) {
    std::string decoded;
    if (DecodeUnicodeEscapes(text, decoded) == UnicodeEscapes::kDecoded) text = std::move(decoded);
  }
  return text;
}

std::int32_t CJsonString::GetInt() const { return ClampedInt32(text_); }

void CJsonString::Print(std::string& out, unsigned inherited, JsonKeyForm) const {
  AppendQuoted(out, text_, Quote(inherited));
}

void CJsonInteger::Print(std::string& out, unsigned, JsonKeyForm) const {
  out += std::to_string(value_);
}

void CJsonBoolean::Print(std::string& out, unsigned, JsonKeyForm) const {
  out += value_ ? "true" : "false";
}

void CJsonNull::Print(std::string& out, unsigned, JsonKeyForm) const { out += "null"; }

std::int32_t ClampedInt32(std::string_view text) {
  std::size_t pos = text.find_first_not_of(" \t\r\n");
  if (pos == std::string_view::npos) return 0;
  bool negative = text[pos] == '-';
  if (text[pos] == '-' || text[pos] == '+') ++pos;
  // Counting in 64 bits and stopping once past the 32-bit range keeps any run of digits safe.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = std::min(value * 10 + (text[pos] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

}  // namespace nuvo
