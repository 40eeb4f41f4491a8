#include "core/html/HtmlText.h"

#include "core/common/Encoding.h"
#include "core/html/CharClass.h"
#include "core/html/HtmlEscape.h"

namespace nuvo {
namespace {

// Whether a "br" tag starts at `pos`: "<br" followed by the tag's end, a slash or a space.
bool IsBrTagAt(std::string_view html, std::size_t pos) {
  if (pos + 3 > html.size() || html[pos] != '<' || ToLowerAscii(html[pos + 1]) != 'b' ||
      ToLowerAscii(html[pos + 2]) != 'r') {
    return false;
  }
  if (pos + 3 == html.size()) return true;
  const char next = html[pos + 3];
  return next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\r' || next == '\n';
}

}  // namespace

void StripTags(std::string& html, bool keepText) {
  std::string kept;
  kept.reserve(html.size());
  bool inTag = false;
  for (std::size_t pos = 0; pos < html.size();) {
    const std::size_t width = CharWidthAt(html, pos);
    const char c = html[pos];
    const bool opens = !inTag && c == '<';
    const bool closes = inTag && c == '>';
    if (opens) inTag = true;
    // The brackets belong to the tag: both are dropped with the text kept, both kept without it.
    if ((inTag || closes) != keepText) kept.append(html, pos, width);
    if (closes) inTag = false;
    pos += width;
  }
  html = std::move(kept);
}

std::string HtmlToText(std::string_view html, std::string_view lineBreak) {
  std::string text;
  text.reserve(html.size());
  for (std::size_t pos = 0; pos < html.size();) {
    if (!lineBreak.empty() && IsBrTagAt(html, pos)) {
      const std::size_t close = html.find('>', pos);
      text += lineBreak;
      if (close == std::string_view::npos) break;
      pos = close + 1;
      continue;
    }
    const std::size_t width = CharWidthAt(html, pos);
    text.append(html, pos, width);
    pos += width;
  }
  StripTags(text, true);
  UnescapeHtml(text, false);
  return text;
}

std::size_t HtmlSpanOfChars(std::string_view html, std::size_t start, std::size_t n, bool countBr) {
  if (start >= html.size()) return 0;
  std::size_t pos = start;
  std::size_t count = 0;
  std::size_t tagStart = 0;
  bool inTag = false;
  bool inEntity = false;
  while (pos < html.size() && (count < n || inTag || html[pos] == '<')) {
    const char c = html[pos];
    const std::size_t width = CharWidthAt(html, pos);
    if (inTag) {
      if (c == '>') {
        inTag = false;
        if (countBr && IsBrTagAt(html, tagStart)) ++count;
      }
    } else if (c == '<') {
      if (countBr && count >= n && IsBrTagAt(html, pos)) break;
      inTag = true;
      tagStart = pos;
    } else if (inEntity) {
      if (c == ';') {
        inEntity = false;
        ++count;
      }
    } else if (c == '&') {
      inEntity = true;
    } else {
      ++count;
    }
    pos += width;
  }
  return pos - start;
}

}  // namespace nuvo
