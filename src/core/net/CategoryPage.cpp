#include "core/net/CategoryPage.h"

#include <charconv>
#include <optional>

#include "core/html/HtmlDocument.h"
#include "core/html/HtmlNode.h"
#include "core/html/HtmlTreeWriter.h"
#include "core/html/UrlCoding.h"
#include "core/net/HttpUrl.h"

namespace nuvo {
namespace {

// The decimal value of `key` in the query of `url`; nothing when absent or not a number.
std::optional<std::uint32_t> QueryNumber(std::string_view url, std::string_view key) {
  const std::optional<std::string> value = FindQueryValue(url, key);
  if (!value) return std::nullopt;
  std::uint32_t number = 0;
  const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
  if (error == std::errc() && end == value->data() + value->size()) return number;
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
  return WriteHtmlTree(*page.GetTop(),
                       [pageUrl](const CHtmlNode& element, HtmlElementRewrite& rewrite) {
                         if (IsRemoved(element)) {
                           rewrite.action = HtmlElementRewrite::Action::kDrop;
                           return;
                         }
                         for (CHtmlNode::Attribute& attribute : rewrite.attributes) {
                           if (attribute.name == "href" && !KeepsHref(attribute.value)) {
                             attribute.value = ResolveUrl(pageUrl, attribute.value);
                           }
                         }
                       });
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
