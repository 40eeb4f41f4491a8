#include "sandbox/CategoryPages.h"

#include <string_view>

#include "core/html/HtmlTreeWriter.h"
#include "sandbox/SandboxPages.h"

namespace nuvo::embedded {
extern const std::string_view kAuctionCategories;
extern const std::string_view kAuctionCategoriesOther;
}  // namespace nuvo::embedded

namespace nuvo::sandbox {

namespace {

constexpr std::string_view kLevelSeparator = " > ";

}  // namespace

CCategoryPages::CCategoryPages(std::string listingUrl, std::string sellUrl)
    : listingUrl_(std::move(listingUrl)), sellUrl_(std::move(sellUrl)) {
  nodes_.push_back(Node{0, "オークション", "", {}});
  for (std::string_view list : {embedded::kAuctionCategories, embedded::kAuctionCategoriesOther}) {
    while (!list.empty()) {
      std::size_t end = list.find('\n');
      std::string_view line = list.substr(0, end);
      list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
      std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) continue;
      std::uint64_t id = std::stoull(std::string(line.substr(0, tab)));
      NodeFor(std::string(line.substr(tab + 1)), id);
    }
  }
}

std::size_t CCategoryPages::NodeFor(const std::string& path, std::uint64_t id) {
  if (auto it = byPath_.find(path); it != byPath_.end()) {
    Node& node = nodes_[it->second];
    // A level met first as part of a longer path gets its real number when its own line comes.
    if (id != 0 && node.id >= 3000000000 && node.id != id) {
      byId_.erase(node.id);
      node.id = id;
      byId_[id] = it->second;
    }
    return it->second;
  }
  std::size_t cut = path.rfind(kLevelSeparator);
  std::size_t parent = cut == std::string::npos ? 0 : NodeFor(path.substr(0, cut), 0);
  Node node;
  node.id = id != 0 ? id : nextSyntheticId_++;
  node.name = cut == std::string::npos ? path : path.substr(cut + kLevelSeparator.size());
  node.path = path;
  std::size_t index = nodes_.size();
  nodes_.push_back(std::move(node));
  nodes_[parent].children.push_back(index);
  byPath_[path] = index;
  byId_[nodes_[index].id] = index;
  return index;
}

std::optional<std::string> CCategoryPages::Page(std::uint64_t id) const {
  std::size_t index = 0;
  if (id != 0) {
    auto it = byId_.find(id);
    if (it == byId_.end()) return std::nullopt;
    index = it->second;
  }
  const Node& node = nodes_[index];
  if (node.children.empty()) return std::nullopt;
  std::string body = "<div class=\"wrapper\">\n<h1>カテゴリ選択：" +
                     EscapeHtmlAttribute(node.path.empty() ? node.name : node.path) +
                     "</h1>\n<ul>\n";
  for (std::size_t child : node.children) {
    const Node& item = nodes_[child];
    const std::string address =
        item.children.empty()
            ? sellUrl_ + "/sell/jp/show/submit?category=" + std::to_string(item.id)
            : listingUrl_ + "/jp/" + std::to_string(item.id) + "-submit.html";
    body += "<li><a href=\"" + EscapeHtmlAttribute(address) + "\">" +
            EscapeHtmlAttribute(item.name) + "</a></li>\n";
  }
  body += "</ul>\n</div>\n<div class=\"acWrFooter\"><p>nuvo-sandbox</p></div>";
  return body;
}

}  // namespace nuvo::sandbox
