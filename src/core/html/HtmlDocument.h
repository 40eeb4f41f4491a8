#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/html/HtmlNode.h"

// The program's own model of a fetched page: the page's text and the element tree built from it,
// searched by tag and attribute without any browser.
namespace nuvo {

enum class HtmlValueMatch { Equals, Contains };

// What a finder looks for: elements with a tag (any tag when it is empty), optionally with an
// attribute, optionally with that attribute equal to or containing a value. Tags, attribute names
// and values are compared ignoring ASCII case.
struct HtmlQuery {
  HtmlQuery(std::string_view tag) : tag(tag) {}
  HtmlQuery(const char* tag) : tag(tag) {}
  HtmlQuery(std::string_view tag, std::string_view attribute) : tag(tag), attribute(attribute) {}
  HtmlQuery(std::string_view tag, std::string_view attribute, std::string_view value,
            HtmlValueMatch match = HtmlValueMatch::Equals)
      : tag(tag), attribute(attribute), value(value), match(match) {}

  std::string_view tag;
  std::string_view attribute;
  std::optional<std::string_view> value;
  HtmlValueMatch match = HtmlValueMatch::Equals;
};

// One named value of a form, as the page holds it.
struct HtmlField {
  std::string name;
  std::string value;
  bool operator==(const HtmlField&) const = default;
};
using HtmlFieldList = std::vector<HtmlField>;

// A view of one subtree of a page (the subtree's top element included) that searches run inside.
// It points into a CHtmlDocument's tree and is valid as long as that tree is.
class CHtmlSubDocument {
 public:
  explicit CHtmlSubDocument(const CHtmlNode* top = nullptr) : top_(top) {}

  const CHtmlNode* GetTop() const { return top_; }

  // The first matching element in document order, or null.
  const CHtmlNode* Find(const HtmlQuery& query) const;
  // Every matching element in document order.
  std::vector<const CHtmlNode*> FindAll(const HtmlQuery& query) const;
  // Attribute `name` of the first match; fails, leaving `out` alone, when there is no match or
  // the match lacks the attribute.
  bool FindAttribute(const HtmlQuery& query, std::string_view name, std::string& out) const;
  // Inner text of the first match; fails, leaving `out` alone, when there is none.
  bool FindText(const HtmlQuery& query, std::string& out) const;

  // The named hidden inputs of the first "form" here (of the whole subtree when it holds no
  // form), in document order; a missing "value" gives an empty value.
  HtmlFieldList CollectHiddenInputs() const;

 protected:
  const CHtmlNode* top_;
};

// A parsed page; owns its text and its tree. Searches run over the whole page.
class CHtmlDocument : public CHtmlSubDocument {
 public:
  CHtmlDocument() = default;
  explicit CHtmlDocument(std::string html) { Load(std::move(html)); }
  // A moved-from document is empty, so that it never searches the tree it gave away.
  CHtmlDocument(CHtmlDocument&& other) noexcept;
  CHtmlDocument& operator=(CHtmlDocument&& other) noexcept;

  // Parses `html` (code page 932), replacing what was loaded before.
  void Load(std::string html);

  const std::string& GetSource() const { return source_; }
  // The text of the "title" element; fails, leaving `out` alone, when the page has none.
  bool GetTitle(std::string& out) const { return FindText({"title"}, out); }

 private:
  std::string source_;
  std::unique_ptr<CHtmlNode> tree_;
};

}  // namespace nuvo
