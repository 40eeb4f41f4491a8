#include "core/net/JsonValue.h"

#include <limits>

#include "core/common/Encoding.h"
#include "core/html/UrlCoding.h"

namespace nuvo {
namespace {

// Replaces each `from` that starts at a character boundary; a two-byte character whose trail
// byte is a backslash never takes part in a match.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text.substr(pos).starts_with(from)) {
      out += to;
      pos += from.size();
      continue;
    }
    std::size_t width = CharWidthAt(text, pos);
    out.append(text, pos, width);
    pos += width;
  }
  return out;
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
    char quote = Quote(inherited);
    out += quote;
    out += key_;
    out += quote;
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
  if (flags & kJsonUnescapeQuotes) {
    text = ReplaceAll(text, "\\\"", "\"");
    text = ReplaceAll(text, "\\\\", "\\");
    text = ReplaceAll(text, "\\/", "/");
  }
  if (flags & kJsonDecodeUnicode) {
    std::string decoded;
    if (DecodeUnicodeEscapes(text, decoded) == UnicodeEscapes::kDecoded) text = std::move(decoded);
  }
  return text;
}

std::int32_t CJsonString::GetInt() const { return ClampedInt32(text_); }

void CJsonString::Print(std::string& out, unsigned inherited, JsonKeyForm) const {
  char quote = Quote(inherited);
  out += quote;
  out += text_;
  out += quote;
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
