#include "core/html/HtmlParser.h"

#include <charconv>
#include <unordered_map>
#include <vector>

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/html/HtmlTagTable.h"

namespace nuvo {
namespace {

constexpr bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}
constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The UTF-8 form of a Unicode scalar value.
std::string Utf8Of(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

// Decodes the reference that starts at the "&" at `pos`. On success appends the character to
// `out` and returns the length of the reference; returns 0 to keep the "&" as text.
std::size_t DecodeReferenceAt(std::string_view text, std::size_t pos, std::string& out) {
  // The longest reference read is "&#x10FFFF;"; looking no further keeps a page of bare "&" linear.
  std::size_t end = text.substr(0, pos + 11).find(';', pos);
  if (end == std::string_view::npos) return 0;
  std::string_view body = text.substr(pos + 1, end - pos - 1);
  if (body.size() > 1 && body[0] == '#') {
    bool hex = body[1] == 'x' || body[1] == 'X';
    std::string_view digits = body.substr(hex ? 2 : 1);
    unsigned long code = 0;
    auto [rest, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || error != std::errc() || rest != digits.data() + digits.size()) return 0;
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    if (code == 0xA0) code = ' ';
    std::optional<std::string> converted = Cp932FromUtf8(Utf8Of(static_cast<char32_t>(code)));
    if (!converted) return 0;
    out += *converted;
    return end - pos + 1;
  }
  static const std::unordered_map<std::string_view, char> kNamed = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}};
  auto named = kNamed.find(body);
  if (named == kNamed.end()) return 0;
  out += named->second;
  return end - pos + 1;
}

// Builds the tree while it reads the page, keeping the chain of open elements.
class CHtmlTreeBuilder {
 public:
  explicit CHtmlTreeBuilder(std::string_view text)
      : text_(text), root_(std::make_unique<CHtmlNode>(CHtmlNode::Kind::Document, "")) {
    open_.push_back(root_.get());
  }

  std::unique_ptr<CHtmlNode> Build() {
    while (pos_ < text_.size()) {
      if (text_[pos_] == '<' && ReadMarkup()) continue;
      ReadText();
    }
    return std::move(root_);
  }

 private:
  CHtmlNode* Current() const { return open_.back(); }

  // Steps over one character, two-byte characters whole.
  void Advance() { pos_ += CharWidthAt(text_, pos_); }

  template <typename Stop>
  std::string_view ReadUntil(Stop stop) {
    std::size_t start = pos_;
    while (pos_ < text_.size() && !stop(text_[pos_])) Advance();
    return text_.substr(start, pos_ - start);
  }

  void SkipSpaces() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  }

  // Moves past the next ">" (or to the end of the page).
  void SkipPastTagEnd() {
    ReadUntil([](char c) { return c == '>'; });
    if (pos_ < text_.size()) ++pos_;
  }

  void ReadText() {
    std::size_t start = pos_;
    Advance();
    ReadUntil([](char c) { return c == '<'; });
    AddText(DecodeCharacterReferences(text_.substr(start, pos_ - start)));
  }

  void AddText(std::string text) {
    if (text.empty()) return;
    CHtmlNode* parent = Current();
    if (!parent->GetChildren().empty()) {
      CHtmlNode* last = parent->GetChildren().back().get();
      if (last->GetKind() == CHtmlNode::Kind::Text) {
        last->AppendText(text);
        return;
      }
    }
    parent->AddChild(std::make_unique<CHtmlNode>(CHtmlNode::Kind::Text, std::move(text)));
  }

  void AddComment(std::string_view text) {
    Current()->AddChild(std::make_unique<CHtmlNode>(CHtmlNode::Kind::Comment, std::string(text)));
  }

  // Reads the markup at a "<"; false when the "<" starts no markup and is plain text.
  bool ReadMarkup() {
    std::string_view rest = text_.substr(pos_);
    if (rest.starts_with("<!--")) {
      std::size_t end = text_.find("-->", pos_ + 4);
      std::size_t stop = end == std::string_view::npos ? text_.size() : end;
      AddComment(text_.substr(pos_ + 4, stop - pos_ - 4));
      pos_ = end == std::string_view::npos ? text_.size() : end + 3;
      return true;
    }
    if (rest.size() < 2) return false;
    if (rest[1] == '/') {
      if (rest.size() > 2 && IsAsciiLetter(rest[2])) {
        pos_ += 2;
        std::string name = ReadTagName();
        SkipPastTagEnd();
        EndElement(name);
        return true;
      }
      return ReadBogusComment(2);
    }
    if (EqualsIgnoreCase(rest.substr(0, 9), "<!doctype")) {
      pos_ += 9;
      SkipPastTagEnd();
      StartElement("!doctype", {});
      return true;
    }
    if (rest[1] == '!' || rest[1] == '?') return ReadBogusComment(2);
    if (!IsAsciiLetter(rest[1])) return false;
    ++pos_;
    ReadStartTag();
    return true;
  }

  // Markup that is neither a tag nor a proper comment ("<?xml ...>", "</ >") is kept as a comment.
  bool ReadBogusComment(std::size_t skip) {
    pos_ += skip;
    std::string_view body = ReadUntil([](char c) { return c == '>'; });
    if (pos_ < text_.size()) ++pos_;
    AddComment(body);
    return true;
  }

  std::string ReadTagName() {
    return AsciiLower(ReadUntil([](char c) { return IsSpace(c) || c == '/' || c == '>'; }));
  }

  void ReadStartTag() {
    std::string name = ReadTagName();
    std::vector<CHtmlNode::Attribute> attributes;
    for (;;) {
      while (pos_ < text_.size() && (IsSpace(text_[pos_]) || text_[pos_] == '/')) ++pos_;
      if (pos_ >= text_.size()) break;
      if (text_[pos_] == '>') {
        ++pos_;
        break;
      }
      std::size_t nameStart = pos_;
      Advance();  // an attribute name may begin with "=", as browsers read it
      ReadUntil([](char c) { return IsSpace(c) || c == '/' || c == '>' || c == '='; });
      std::string attributeName = AsciiLower(text_.substr(nameStart, pos_ - nameStart));
      SkipSpaces();
      std::string value;
      if (pos_ < text_.size() && text_[pos_] == '=') {
        ++pos_;
        SkipSpaces();
        value = DecodeCharacterReferences(ReadAttributeValue());
      }
      attributes.push_back({std::move(attributeName), std::move(value)});
    }
    StartElement(std::move(name), std::move(attributes));
  }

  std::string_view ReadAttributeValue() {
    if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
      char quote = text_[pos_++];
      std::string_view value = ReadUntil([quote](char c) { return c == quote; });
      if (pos_ < text_.size()) ++pos_;
      return value;
    }
    return ReadUntil([](char c) { return IsSpace(c) || c == '>'; });
  }

  void StartElement(std::string name, std::vector<CHtmlNode::Attribute> attributes) {
    CHtmlNode* current = Current();
    if (current != root_.get() && IsEndTagOptional(current->GetTag()) &&
        !HtmlMayContain(current->GetTag(), name)) {
      CloseInnermost();
    }
    auto element = std::make_unique<CHtmlNode>(CHtmlNode::Kind::Element, name);
    for (auto& attribute : attributes) {
      element->AddAttribute(std::move(attribute.name), std::move(attribute.value));
    }
    CHtmlNode* added = Current()->AddChild(std::move(element));
    if (IsEmptyTag(name)) return;
    if (IsRawTextTag(name)) {
      AddRawText(added, text_.substr(pos_));
      pos_ = text_.size();
      return;
    }
    if (name == "script" || name == "style") {
      // Their content runs to their own end tag whatever it looks like.
      std::size_t end = pos_;
      std::string closing = "</" + name;
      while (end < text_.size() && !EqualsIgnoreCase(text_.substr(end, closing.size()), closing)) {
        end += CharWidthAt(text_, end);
      }
      AddRawText(added, text_.substr(pos_, end - pos_));
      pos_ = end;
      if (pos_ < text_.size()) SkipPastTagEnd();
      return;
    }
    open_.push_back(added);
    ++openCount_[added->GetTag()];
  }

  static void AddRawText(CHtmlNode* element, std::string_view text) {
    if (text.empty()) return;
    element->AddChild(std::make_unique<CHtmlNode>(CHtmlNode::Kind::Text, std::string(text)));
  }

  void CloseInnermost() {
    --openCount_[Current()->GetTag()];
    open_.pop_back();
  }

  // An end tag closes the innermost open element of its name and everything opened inside it.
  // The end tag of an inline element does not reach past an open block, and an end tag that
  // matches nothing open is dropped.
  void EndElement(const std::string& name) {
    if (IsEmptyTag(name)) return;
    auto count = openCount_.find(name);
    if (count == openCount_.end() || count->second == 0) return;
    bool inlineTag = IsInlineTag(name);
    for (std::size_t depth = open_.size() - 1; depth > 0; --depth) {
      const std::string& tag = open_[depth]->GetTag();
      if (tag == name) {
        while (open_.size() > depth) CloseInnermost();
        return;
      }
      if (inlineTag && !IsInlineTag(tag)) return;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::unique_ptr<CHtmlNode> root_;
  std::vector<CHtmlNode*> open_;  // open_[0] is the document
  std::unordered_map<std::string, std::size_t> openCount_;
};

}  // namespace

std::unique_ptr<CHtmlNode> ParseHtml(std::string_view html) {
  return CHtmlTreeBuilder(html).Build();
}

std::string DecodeCharacterReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text[pos] == '&') {
      if (std::size_t length = DecodeReferenceAt(text, pos, out)) {
        pos += length;
        continue;
      }
    }
    std::size_t width = CharWidthAt(text, pos);
    out.append(text, pos, width);
    pos += width;
  }
  return out;
}

}  // namespace nuvo
