#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/html/HtmlNode.h"

// Writes a parsed page, or one subtree of it, back as HTML, letting the caller drop, unwrap,
// replace or re-attribute each element on the way. Text and attribute values are escaped again,
// so what the parser decoded reads back the same. The walk does not recurse, so a deep tree from
// a hostile page is written like any other.
namespace nuvo {

// What becomes of one element. The writer fills `attributes` with the element's own before it
// asks; the filter edits them for an element it keeps.
struct HtmlElementRewrite {
  enum class Action {
    kKeep,     // written with `attributes` and its children
    kDrop,     // left out with everything inside it
    kUnwrap,   // its children are written in its place
    kReplace,  // `markup` is written in its place, as it stands
  };

  Action action = Action::kKeep;
  std::vector<CHtmlNode::Attribute> attributes;
  std::string markup;
  // Set by the writer: the nearest element before this one among its siblings (text that is
  // only white space does not count) was dropped.
  bool afterDropped = false;
};

using HtmlElementFilter = std::function<void(const CHtmlNode& element, HtmlElementRewrite&)>;

// The markup of `top` and everything below it (only its children when `top` is the document).
std::string WriteHtmlTree(const CHtmlNode& top, const HtmlElementFilter& filter = {});

// `text` with "&", "<" and ">" written as entities.
std::string EscapeHtmlText(std::string_view text);
// `value` escaped for a double-quoted attribute: the text escapes and the double quote.
std::string EscapeHtmlAttribute(std::string_view value);

}  // namespace nuvo
