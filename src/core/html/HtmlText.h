#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reading the visible text of HTML: removing tags, turning HTML into plain text and measuring how
// many bytes of HTML hold a number of visible characters. Code page 932 bytes throughout.
namespace nuvo {

// With `keepText` removes every tag (from "<" to the next ">") and keeps the text between;
// without it keeps only the tags, brackets included. A "<" that is never closed opens a tag that
// runs to the end of the text.
void StripTags(std::string& html, bool keepText);

// Plain text of `html`: each "<br>" tag becomes `lineBreak` when that is not empty, the other tags
// are removed and the entities decoded, "&nbsp;" into a space.
std::string HtmlToText(std::string_view html, std::string_view lineBreak);

// The number of bytes of `html`, from `start`, that hold its first `n` visible characters. Tags
// are walked whole and count nothing, an entity counts as one character, and so does a two-byte
// character. Tags that directly follow the n-th character are included. With `countBr` a "<br>"
// counts as one character, and one that would come after the n-th is left out.
std::size_t HtmlSpanOfChars(std::string_view html, std::size_t start, std::size_t n, bool countBr);

}  // namespace nuvo
