#include "core/html/HtmlTagTable.h"

#include <algorithm>
#include <array>

namespace nuvo {
namespace {

struct TagEntry {
  std::string_view tag;
  unsigned bits;
};

constexpr unsigned kBlock = kTagBlock;
constexpr unsigned kOptional = kTagEndOptional;
constexpr unsigned kEmpty = kTagEmpty;
constexpr unsigned kInline = kTagInline;

// Sorted by tag so that a lookup is a binary search; the check below keeps it so.
constexpr std::array kTags = std::to_array<TagEntry>({
    {"!doctype", kEmpty},
    {"a", kInline},
    {"abbr", kInline},
    {"acronym", kInline},
    {"address", kBlock},
    {"applet", kInline},
    {"area", kEmpty},
    {"b", kInline},
    {"base", kEmpty},
    {"basefont", kInline | kEmpty},
    {"bdo", kInline},
    {"bgsound", kEmpty},
    {"big", kInline},
    {"blink", kInline},
    {"blockquote", kBlock},
    {"body", kOptional},
    {"br", kInline | kEmpty},
    {"button", kInline},
    {"caption", kBlock},
    {"center", kBlock},
    {"cite", kInline},
    {"code", kInline},
    {"col", kEmpty},
    {"colgroup", kOptional},
    {"comment", kBlock},
    {"dd", kOptional},
    {"del", kBlock},
    {"dfn", kInline},
    {"dir", kBlock},
    {"div", kBlock},
    {"dl", kBlock},
    {"dt", kOptional},
    {"em", kInline},
    {"embed", kInline},
    {"fieldset", kBlock},
    {"font", kInline},
    {"form", kBlock},
    {"frame", kEmpty},
    {"frameset", kBlock},
    {"h1", kBlock},
    {"h2", kBlock},
    {"h3", kBlock},
    {"h4", kBlock},
    {"h5", kBlock},
    {"h6", kBlock},
    {"head", kOptional},
    {"hr", kEmpty},
    {"html", kOptional},
    {"i", kInline},
    {"iframe", kInline},
    {"ilayer", kInline},
    {"img", kInline | kEmpty},
    {"input", kEmpty},
    {"ins", kBlock},
    {"isindex", kEmpty},
    {"kbd", kInline},
    {"keygen", kEmpty},
    {"label", kInline},
    {"layer", kInline},
    {"legend", kBlock},
    {"li", kOptional},
    {"link", kEmpty},
    {"listing", kBlock},
    {"map", kInline},
    {"marquee", kBlock},
    {"menu", kBlock},
    {"meta", kEmpty},
    {"multicol", kBlock},
    {"nextid", kEmpty},
    {"nobr", kInline},
    {"noembed", kBlock},
    {"noframes", kBlock},
    {"nolayer", kInline},
    {"noscript", kBlock},
    {"object", kInline},
    {"ol", kBlock},
    {"optgroup", kBlock},
    {"option", kOptional},
    {"p", kOptional},
    {"param", kEmpty},
    {"plaintext", kTagPreformatted | kTagRawText},
    {"pre", kTagPreformatted},
    {"q", kInline},
    {"rb", kInline | kOptional},
    {"rp", kInline | kOptional},
    {"rt", kInline | kOptional},
    {"ruby", kInline},
});

static_assert(std::is_sorted(kTags.begin(), kTags.end(),
                             [](const TagEntry& a, const TagEntry& b) { return a.tag < b.tag; }));

}  // namespace

unsigned HtmlTagProperties(std::string_view lowerTag) {
  auto it =
      std::lower_bound(kTags.begin(), kTags.end(), lowerTag,
                       [](const TagEntry& entry, std::string_view tag) { return entry.tag < tag; });
  return it != kTags.end() && it->tag == lowerTag ? it->bits : 0;
}

bool HtmlMayContain(std::string_view lowerParent, std::string_view lowerChild) {
  if (lowerParent == "p") return IsInlineTag(lowerChild);
  if (lowerParent == "li" || lowerParent == "option") return lowerChild != lowerParent;
  if (lowerParent == "ol" || lowerParent == "ul") return lowerChild == "li";
  if (lowerParent == "tr") return lowerChild == "td" || lowerChild == "th";
  return true;
}

}  // namespace nuvo
