#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/html/Charset.h"

// The service's category pages as the category dialog shows them: which page to start from,
// what a click on a link there means, how a fetched page is cleaned for showing inside the
// dialog and which work file holds it.
namespace nuvo {

// The top category page, on the service's listing host.
inline constexpr std::string_view kCategoryStartPath = "/jp/0-submit.html";

struct CategoryLink {
  enum class Kind {
    Select,   // a sell form for a category: choose `id`, do not navigate
    Show,     // another category page: fetch, clean and show it
    Browser,  // anything else: the browser goes there itself
  };
  Kind kind = Kind::Browser;
  std::uint32_t id = 0;
};

// What following `url` does: an address with "/jp/show/submit" and a decimal "category" value
// in its query selects that category; an address with "-submit.html" and no query is a category
// page; every other address is left to the browser.
CategoryLink ClassifyCategoryLink(std::string_view url);

// The work file of page `url`: "cate_web_" and the last path component, cut before the first
// "#", then "?", then "."; "cate_web_unknown" when nothing remains.
std::string CategoryWorkFileName(std::string_view url);

// The page `html` (code page 932) fetched from `pageUrl`, cleaned for showing in the dialog:
// scripts, "noscript" and "iframe" elements and the footer ("div" of class "acWrFooter") are
// gone, and every "href" is an absolute address, so that the page shown from a local file
// still links to the service.
std::string CleanCategoryPage(const std::string& html, std::string_view pageUrl);

// The text of the work file for `response`, a page fetched from `pageUrl` in `charset` (kNone:
// as the page declares, else code page 932): the cleaned page in the page's own charset, so
// that its meta element still tells the truth. Nothing when the page cannot be read in its
// charset.
std::optional<std::string> CategoryPageFileText(std::string_view response, Charset charset,
                                                std::string_view pageUrl);

}  // namespace nuvo
