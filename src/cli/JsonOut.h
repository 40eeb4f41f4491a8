#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/common/Encoding.h"

// The JSON that nuvo-cli prints: written in order, values separated as they come.
namespace nuvo::cli {

// Builds the JSON text; keys and texts are UTF-8.
class CJsonOut {
 public:
  void Open(char bracket) {
    Separate();
    text_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    text_ += bracket;
    first_ = false;
  }
  void Key(std::string_view key) {
    Separate();
    Quoted(key);
    text_ += ':';
    first_ = true;
  }
  void String(std::string_view utf8) {
    Separate();
    Quoted(utf8);
  }
  // Code page 932 text, converted.
  void Text(std::string_view cp932) { String(Utf8FromCp932(cp932)); }
  void Number(long long value) {
    Separate();
    text_ += std::to_string(value);
  }
  void Unsigned(unsigned long long value) {
    Separate();
    text_ += std::to_string(value);
  }
  void Boolean(bool value) {
    Separate();
    text_ += value ? "true" : "false";
  }
  void Null() {
    Separate();
    text_ += "null";
  }
  const std::string& Result() const { return text_; }

 private:
  void Separate() {
    if (!first_) text_ += ',';
    first_ = false;
  }
  void Quoted(std::string_view utf8) {
    text_ += '"';
    for (char c : utf8) {
      auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        text_ += '\\';
        text_ += c;
      } else if (byte < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04X", byte);
        text_ += escape;
      } else {
        text_ += c;
      }
    }
    text_ += '"';
  }

  std::string text_;
  bool first_ = true;
};

}  // namespace nuvo::cli
