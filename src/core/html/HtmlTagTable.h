#pragma once

#include <string_view>

// What the HTML parser knows about a tag: whether it is empty, whether its end tag may be left
// out, whether it is inline, whether its content is raw text. The table answers for lower-case tag
// names; a tag it does not name has no properties.
namespace nuvo {

enum HtmlTagBits : unsigned {
  kTagBlock = 1,        // block element with an explicit end tag
  kTagEndOptional = 2,  // closed implicitly by a tag it may not contain
  kTagEmpty = 4,        // never has content or an end tag
  kTagInline = 16,
  kTagPreformatted = 32,
  kTagRawText = 64,  // the rest of the document is its text
};

// The property bits of `lowerTag`; 0 for a tag the table does not name.
unsigned HtmlTagProperties(std::string_view lowerTag);

inline bool IsEmptyTag(std::string_view lowerTag) {
  return HtmlTagProperties(lowerTag) & kTagEmpty;
}
inline bool IsEndTagOptional(std::string_view lowerTag) {
  return HtmlTagProperties(lowerTag) & kTagEndOptional;
}
inline bool IsInlineTag(std::string_view lowerTag) {
  return HtmlTagProperties(lowerTag) & kTagInline;
}
inline bool IsRawTextTag(std::string_view lowerTag) {
  return HtmlTagProperties(lowerTag) & kTagRawText;
}

// Whether an open `parent` element may hold a `child` start tag; when it may not and the parent's
// end tag is optional, the parent is closed before the child is added.
bool HtmlMayContain(std::string_view lowerParent, std::string_view lowerChild);

}  // namespace nuvo
