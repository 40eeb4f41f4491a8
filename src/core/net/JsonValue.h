#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The values of the small JSON texts the auction service sends (photo upload replies, error codes
// in hidden fields): a tree of nodes that each own their children, and their printed form.
// Texts are code page 932 and keep their escape sequences until they are read with GetText.
namespace nuvo {

// Print option: keys and strings in single quotes instead of double quotes.
inline constexpr unsigned kJsonPrintSingleQuotes = 1;

// How ToString writes the keys of key/value pairs.
enum class JsonKeyForm { Quoted, Bare };

class CJsonValue {
 public:
  enum class Kind { Array, Object, KeyValue, String, Integer, Boolean, Null };

  virtual ~CJsonValue() = default;

  virtual Kind GetKind() const = 0;
  // "array", "object", "key_value", "string", "integer", "boolean" or "null".
  std::string_view GetTypeName() const;

  // A node prints with its own print options added to those of the nodes above it.
  unsigned GetPrintOptions() const { return printOptions_; }
  void SetPrintOptions(unsigned options) { printOptions_ = options; }

  std::string ToString(JsonKeyForm keys = JsonKeyForm::Quoted) const;

  // This node as the given kind, or null when it is another kind.
  template <typename T>
  const T* As() const {
    return GetKind() == T::kKind ? static_cast<const T*>(this) : nullptr;
  }
  template <typename T>
  T* As() {
    return GetKind() == T::kKind ? static_cast<T*>(this) : nullptr;
  }

  // Appends the printed node to `out`; `inherited` holds the print options of the nodes above.
  virtual void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const = 0;

 protected:
  // The quote character for keys and strings under the given print options.
  char Quote(unsigned inherited) const {
    return (inherited | printOptions_) & kJsonPrintSingleQuotes ? '\'' : '"';
  }

 private:
  unsigned printOptions_ = 0;
};

// An ordered list of owned children of one type, shared by arrays and objects.
template <typename Element>
class CJsonList : public CJsonValue {
 public:
  std::size_t Count() const { return items_.size(); }
  // The child at `index`, or null past the end.
  const Element* At(std::size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
  }
  Element* At(std::size_t index) { return index < items_.size() ? items_[index].get() : nullptr; }
  // The position of `item` among the children, or -1.
  int IndexOf(const CJsonValue* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].get() == item) return static_cast<int>(i);
    }
    return -1;
  }
  Element* Add(std::unique_ptr<Element> item) {
    items_.push_back(std::move(item));
    return items_.back().get();
  }
  // Takes the child at `index` out of the list; null past the end.
  std::unique_ptr<Element> Remove(std::size_t index) {
    if (index >= items_.size()) return nullptr;
    std::unique_ptr<Element> item = std::move(items_[index]);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    return item;
  }

 protected:
  void PrintItems(std::string& out, unsigned inherited, JsonKeyForm keys) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (i > 0) out += ", ";
      items_[i]->Print(out, inherited | GetPrintOptions(), keys);
    }
  }

  std::vector<std::unique_ptr<Element>> items_;
};

class CJsonArray : public CJsonList<CJsonValue> {
 public:
  static constexpr Kind kKind = Kind::Array;
  Kind GetKind() const override { return kKind; }
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;
};

// A key and its owned value.
class CJsonKeyValue : public CJsonValue {
 public:
  static constexpr Kind kKind = Kind::KeyValue;
  CJsonKeyValue(std::string key, std::unique_ptr<CJsonValue> value)
      : key_(std::move(key)), value_(std::move(value)) {}
  Kind GetKind() const override { return kKind; }
  const std::string& GetKey() const { return key_; }
  const CJsonValue* GetValue() const { return value_.get(); }
  CJsonValue* GetValue() { return value_.get(); }
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;

 private:
  std::string key_;
  std::unique_ptr<CJsonValue> value_;
};

class CJsonObject : public CJsonList<CJsonKeyValue> {
 public:
  static constexpr Kind kKind = Kind::Object;
  Kind GetKind() const override { return kKind; }
  // The value of the first member whose key is exactly `key`, or null.
  const CJsonValue* Find(std::string_view key) const;
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;
};

// GetText flags.
inline constexpr unsigned kJsonUnescapeQuotes = 1;  // \" \' \\ \/ become " ' \ /
inline constexpr unsigned kJsonDecodeUnicode = 2;   // \uXXXX become the character

class CJsonString : public CJsonValue {
 public:
  static constexpr Kind kKind = Kind::String;
  explicit CJsonString(std::string text) : text_(std::move(text)) {}
  Kind GetKind() const override { return kKind; }
  // The text with the escapes that `flags` name resolved; "\u" escapes of characters that code
  // page 932 cannot hold stay as they are.
  std::string GetText(unsigned flags = 0) const;
  // The text read as a decimal number, clamped to the 32-bit range.
  std::int32_t GetInt() const;
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;

 private:
  std::string text_;
};

class CJsonInteger : public CJsonValue {
 public:
  static constexpr Kind kKind = Kind::Integer;
  explicit CJsonInteger(std::int32_t value) : value_(value) {}
  Kind GetKind() const override { return kKind; }
  std::int32_t GetValue() const { return value_; }
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;

 private:
  std::int32_t value_;
};

class CJsonBoolean : public CJsonValue {
 public:
  static constexpr Kind kKind = Kind::Boolean;
  explicit CJsonBoolean(bool value) : value_(value) {}
  Kind GetKind() const override { return kKind; }
  bool GetValue() const { return value_; }
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;

 private:
  bool value_;
};

class CJsonNull : public CJsonValue {
 public:
  static constexpr Kind kKind = Kind::Null;
  Kind GetKind() const override { return kKind; }
  void Print(std::string& out, unsigned inherited, JsonKeyForm keys) const override;
};

// The leading decimal number of `text` (spaces, then an optional sign, then digits), clamped to
// -2147483648 .. 2147483647; 0 when there is none.
std::int32_t ClampedInt32(std::string_view text);

}  // namespace nuvo
