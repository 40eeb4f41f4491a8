#include "sandbox/FormBody.h"

#include <cstdio>

namespace nuvo::sandbox {
namespace {

bool IsUnreserved(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.' || c == '~' || c == '*';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Decode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      int high = HexValue(text[i + 1]);
      int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else if (IsUnreserved(c)) {
      out += c;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::optional<Fields> ParseFormBody(std::string_view body, std::string& why) {
  Fields fields;
  while (!body.empty()) {
    std::size_t amp = body.find('&');
    std::string_view pair = body.substr(0, amp);
    body = amp == std::string_view::npos ? std::string_view() : body.substr(amp + 1);
    if (pair.empty()) continue;
    std::size_t equals = pair.find('=');
    std::optional<std::string> name = Decode(pair.substr(0, equals));
    std::optional<std::string> value =
        Decode(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1));
    if (!name || !value || name->empty()) {
      why = "form field is not properly percent-encoded: " + std::string(pair.substr(0, 80));
      return std::nullopt;
    }
    fields.emplace_back(std::move(*name), std::move(*value));
  }
  return fields;
}

std::string UrlEncode(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (IsUnreserved(c)) {
      out += c;
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
      out += escape;
    }
  }
  return out;
}

}  // namespace nuvo::sandbox
