#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes the JSON of the sandbox's inspection answers: objects, arrays, strings and numbers,
// with the commas placed by the writer. Strings are UTF-8; a byte that does not belong to a UTF-8
// sequence is written as U+FFFD, so the answer is always valid JSON whatever a request carried.
namespace nuvo::sandbox {

class CJsonWriter {
 public:
  CJsonWriter& BeginObject() { return Open('{'); }
  CJsonWriter& EndObject() { return Close('}'); }
  CJsonWriter& BeginArray() { return Open('['); }
  CJsonWriter& EndArray() { return Close(']'); }
  CJsonWriter& Key(std::string_view key) {
    Separate();
    AppendString(key);
    text_ += ": ";
    afterKey_ = true;
    return *this;
  }
  CJsonWriter& String(std::string_view value) {
    Separate();
    AppendString(value);
    return *this;
  }
  CJsonWriter& Number(long long value) {
    Separate();
    text_ += std::to_string(value);
    return *this;
  }
  const std::string& Text() {
    if (!text_.ends_with('\n')) text_ += '\n';
    return text_;
  }

 private:
  CJsonWriter& Open(char bracket) {
    Separate();
    text_ += bracket;
    first_.push_back(true);
    return *this;
  }
  CJsonWriter& Close(char bracket) {
    text_ += bracket;
    first_.pop_back();
    return *this;
  }
  // A comma before every item but the first of its bracket, and none after a key.
  void Separate() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (first_.empty()) return;
    if (!first_.back()) text_ += ", ";
    first_.back() = false;
  }
  void AppendString(std::string_view value);

  std::string text_;
  std::vector<bool> first_;
  bool afterKey_ = false;
};

}  // namespace nuvo::sandbox
