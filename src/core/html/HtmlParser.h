#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/html/HtmlNode.h"

// Turns a page into an element tree. Parsing never fails: malformed markup gives the best tree
// the tag-property rules allow, and any depth of nesting is built without recursion.
namespace nuvo {

// The tree of `html` (code page 932) under a node of kind Document.
std::unique_ptr<CHtmlNode> ParseHtml(std::string_view html);

// `text` with its character references ("&amp;", "&#38;", "&#x26;") decoded in one pass; a
// reference that is unknown or names a character outside code page 932 is kept as it stands.
std::string DecodeCharacterReferences(std::string_view text);

}  // namespace nuvo
