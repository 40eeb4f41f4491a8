#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A small builder for the HTML the program generates: an element with attributes and children,
// serialised in one piece. Values are written exactly as given, so text from the seller must be
// escaped before it is set.
namespace nuvo {

// A child of an element: an element or a run of text.
class CHtmlContent {
 public:
  virtual ~CHtmlContent() = default;
  // Appends the serialised content to `out`.
  virtual void Write(std::string& out) const = 0;
};

// A run of text, written as it stands.
class CHtmlText : public CHtmlContent {
 public:
  explicit CHtmlText(std::string text) : text_(std::move(text)) {}
  void Write(std::string& out) const override { out += text_; }

 private:
  std::string text_;
};

// An element: tag, attributes in the order they were first set, children in order. It owns its
// children. Written as "<tag name="value" flag>children</tag>" with no line breaks added; an
// attribute with an empty value is written by its name alone.
class CHtmlElement : public CHtmlContent {
 public:
  explicit CHtmlElement(std::string tag) : tag_(std::move(tag)) {}

  // Setting an attribute again changes its value in its first place.
  CHtmlElement& SetAttribute(std::string_view name, std::string value);
  CHtmlElement& SetAttribute(std::string_view name, std::int64_t value);
  bool HasAttribute(std::string_view name) const;

  // Adds a child element and returns it, for building downwards.
  CHtmlElement& AddElement(std::string tag);
  CHtmlElement& AddText(std::string text);
  CHtmlElement& AddChild(std::unique_ptr<CHtmlContent> child);

  void Write(std::string& out) const override;
  std::string ToString() const;

 private:
  struct Attribute {
    std::string name;
    std::string value;
  };

  std::string tag_;
  std::vector<Attribute> attributes_;
  std::vector<std::unique_ptr<CHtmlContent>> children_;
};

}  // namespace nuvo
