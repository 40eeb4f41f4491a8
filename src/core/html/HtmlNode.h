#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One node of the program's HTML element tree: the document itself, an element with its
// attributes, a run of text or a comment. A node owns its children and links back to its parent.
// Trees from hostile pages may be very deep, so nothing here recurses over the tree.
namespace nuvo {

class CHtmlNode {
 public:
  enum class Kind { Document, Element, Text, Comment };

  struct Attribute {
    std::string name;   // lower case
    std::string value;  // character references already decoded
  };

  // A document or element is made with its lower-case tag (empty for the document); a text or
  // comment node with its text.
  CHtmlNode(Kind kind, std::string tagOrText);
  CHtmlNode(const CHtmlNode&) = delete;
  CHtmlNode& operator=(const CHtmlNode&) = delete;
  ~CHtmlNode();

  Kind GetKind() const { return kind_; }
  bool IsElement() const { return kind_ == Kind::Element; }
  // The lower-case tag of an element; empty for every other kind.
  const std::string& GetTag() const { return tag_; }
  // The text of a text or comment node; empty for every other kind.
  const std::string& GetText() const { return text_; }
  const CHtmlNode* GetParent() const { return parent_; }
  const std::vector<std::unique_ptr<CHtmlNode>>& GetChildren() const { return children_; }
  const std::vector<Attribute>& GetAttributes() const { return attributes_; }

  // The value of attribute `name` (any letter case), or null when the element has none.
  const std::string* FindAttribute(std::string_view name) const;
  bool HasAttribute(std::string_view name) const { return FindAttribute(name) != nullptr; }
  // Copies the attribute's value to `out`; leaves `out` alone and fails when it is absent.
  bool GetAttribute(std::string_view name, std::string& out) const;

  // The text the element shows: its text nodes in order, "br" as CR LF, without the contents of
  // scripts and style sheets below it.
  std::string GetInnerText() const;

  CHtmlNode* AddChild(std::unique_ptr<CHtmlNode> child);
  // Adds a tag's attributes, each unless the element already has one of that name (the first
  // one counts), in time proportional to their number.
  void AddAttributes(std::vector<Attribute> attributes);
  // Appends to a text node, so that text split by stray markup stays one node.
  void AppendText(std::string_view text) { text_.append(text); }

 private:
  Kind kind_;
  std::string tag_;
  std::string text_;
  std::vector<Attribute> attributes_;
  std::vector<std::unique_ptr<CHtmlNode>> children_;
  CHtmlNode* parent_ = nullptr;
};

}  // namespace nuvo
