#include "core/net/CategoryPage.h"

#include <charconv>
#include <optional>
#include <utility>
#include <vector>

#include "core/html/HtmlDocument.h"
#include "core/html/HtmlNode.h"
#include "core/html/HtmlTagTable.h"
#include "core/net/HttpUrl.h"

namespace nuvo {
namespace {

// The decimal value of `key` in the query of `url`; nothing when absent or not a number.
std::optional<std::uint32_t> QueryNumber(std::string_view url, std::string_view key) {
  const std::size_t question = url.find('?');
  if (question == std::string_view::npos) return std::nullopt;
  std::string_view query = url.substr(question + 1);
  query = query.substr(0, query.find('#'));
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (!pair.starts_with(key) || pair.size() <= key.size() || pair[key.size()] != '=') continue;
    const std::string_view value = pair.substr(key.size() + 1);
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error == std::errc() && end == value.data() + value.size()) return number;
    return std::nullopt;
  }
  return std::nullopt;
}

bool IsRemoved(const CHtmlNode& node) {
  const std::string& tag = node.GetTag();
  if (tag == "script" || tag == "noscript" || tag == "iframe") return true;
  if (tag != "div") return false;
  const std::string* classes = node.FindAttribute("class");
  if (!classes) return false;
  // The class attribute holds a list of names separated by spaces.
  std::string_view rest = *classes;
  while (!rest.empty()) {
    const std::size_t start = rest.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    const std::size_t end = rest.find_first_of(" \t\r\n");
    if (rest.substr(0, end) == "acWrFooter") return true;
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
  }
  return false;
}

// Whether `href` already names its scheme ("https:", "javascript:", "mailto:") or only points
// into the page; those stay as they are.
bool KeepsHref(std::string_view href) {
  if (href.empty() || href.front() == '#') return true;
  const std::size_t colon = href.find(':');
  return colon != std::string_view::npos &&
         href.substr(0, colon).find('/') == std::string_view::npos;
}

// "&", "<" and ">" (and in attribute values the double quote) as entities. Every one of these is
// below 0x40, where no second byte of a two-byte character lies.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      default:
        out += c;
    }
  }
}

void WriteStartTag(std::string& out, const CHtmlNode& node, std::string_view pageUrl) {
  out += '<';
  out += node.GetTag();
  for (const CHtmlNode::Attribute& attribute : node.GetAttributes()) {
    out += ' ';
    out += attribute.name;
    out += "=\"";
    if (attribute.name == "href" && !KeepsHref(attribute.value)) {
      AppendEscaped(out, ResolveUrl(pageUrl, attribute.value), true);
    } else {
      AppendEscaped(out, attribute.value, true);
    }
    out += '"';
  }
  out += '>';
}

}  // namespace

CategoryLink ClassifyCategoryLink(std::string_view url) {
  if (url.find("/jp/show/submit") != std::string_view::npos) {
    if (std::optional<std::uint32_t> id = QueryNumber(url, "category")) {
      return {CategoryLink::Kind::Select, *id};
    }
  }
  if (url.find("-submit.html") != std::string_view::npos &&
      url.find('?') == std::string_view::npos) {
    return {CategoryLink::Kind::Show, 0};
  }
  return {};
}

std::string CategoryWorkFileName(std::string_view url) {
  std::string_view name = url.substr(url.rfind('/') + 1);
  for (char stop : {'#', '?', '.'}) name = name.substr(0, name.find(stop));
  return "cate_web_" + std::string(name.empty() ? "unknown" : name);
}

std::string CleanCategoryPage(const std::string& html, std::string_view pageUrl) {
  const CHtmlDocument page(html);
  std::string out;
  out.reserve(html.size());
  // The tree of a hostile page may be deep: walk it with a stack of (node, next child).
  std::vector<std::pair<const CHtmlNode*, std::size_t>> stack{{page.GetTop(), 0}};
  while (!stack.empty()) {
    auto& [node, next] = stack.back();
    if (next == node->GetChildren().size()) {
      if (node->IsElement() && !IsEmptyTag(node->GetTag())) out += "</" + node->GetTag() + ">";
      stack.pop_back();
      continue;
    }
    const CHtmlNode& child = *node->GetChildren()[next++];
    switch (child.GetKind()) {
      case CHtmlNode::Kind::Text:
        // Style sheets are raw text: their ">" selectors must stay as they are.
        if (IsRawTextTag(node->GetTag()) || node->GetTag() == "style") {
          out += child.GetText();
        } else {
          AppendEscaped(out, child.GetText(), false);
        }
        break;
      case CHtmlNode::Kind::Comment:
        out += "<!--" + child.GetText() + "-->";
        break;
      case CHtmlNode::Kind::Element:
        if (IsRemoved(child)) break;
        WriteStartTag(out, child, pageUrl);
        stack.emplace_back(&child, 0);
        break;
      case CHtmlNode::Kind::Document:
        break;
    }
  }
  return out;
}

std::optional<std::string> CategoryPageFileText(std::string_view response, Charset charset,
                                                std::string_view pageUrl) {
  if (charset == Charset::kNone) charset = CharsetOfHtml(response);
  if (charset == Charset::kNone || charset == Charset::kShiftJis) {
    return CleanCategoryPage(std::string(response), pageUrl);
  }
  std::optional<std::string> page = ToShiftJis(response, charset);
  if (!page) return std::nullopt;
  const unsigned codePage = charset == Charset::kUtf8    ? 65001
                            : charset == Charset::kEucJp ? 51932
                                                         : 50220;
  return ConvertCodePage(932, codePage, CleanCategoryPage(*page, pageUrl));
}

}  // namespace nuvo
