#include "core/html/HtmlDocument.h"

#include <utility>

#include "core/common/AsciiCase.h"
#include "core/html/HtmlParser.h"

namespace nuvo {
namespace {

bool Matches(const CHtmlNode& node, const HtmlQuery& query) {
  if (!node.IsElement()) return false;
  if (!query.tag.empty() && !EqualsIgnoreCase(node.GetTag(), query.tag)) return false;
  if (query.attribute.empty()) return true;
  const std::string* value = node.FindAttribute(query.attribute);
  if (!value) return false;
  if (!query.value) return true;
  return query.match == HtmlValueMatch::Contains ? ContainsIgnoreCase(*value, *query.value)
                                                 : EqualsIgnoreCase(*value, *query.value);
}

// Calls `visit` for each matching element under `top` (itself included) in document order,
// until it returns false.
template <typename Visit>
void ForEachMatch(const CHtmlNode* top, const HtmlQuery& query, Visit visit) {
  if (!top) return;
  std::vector<const CHtmlNode*> pending{top};
  while (!pending.empty()) {
    const CHtmlNode* node = pending.back();
    pending.pop_back();
    if (Matches(*node, query) && !visit(node)) return;
    const auto& children = node->GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(it->get());
  }
}

}  // namespace

const CHtmlNode* CHtmlSubDocument::Find(const HtmlQuery& query) const {
  const CHtmlNode* found = nullptr;
  ForEachMatch(top_, query, [&found](const CHtmlNode* node) {
    found = node;
    return false;
  });
  return found;
}

std::vector<const CHtmlNode*> CHtmlSubDocument::FindAll(const HtmlQuery& query) const {
  std::vector<const CHtmlNode*> found;
  ForEachMatch(top_, query, [&found](const CHtmlNode* node) {
    found.push_back(node);
    return true;
  });
  return found;
}

bool CHtmlSubDocument::FindAttribute(const HtmlQuery& query, std::string_view name,
                                     std::string& out) const {
  const CHtmlNode* node = Find(query);
  return node && node->GetAttribute(name, out);
}

bool CHtmlSubDocument::FindText(const HtmlQuery& query, std::string& out) const {
  const CHtmlNode* node = Find(query);
  if (!node) return false;
  out = node->GetInnerText();
  return true;
}

HtmlFieldList CHtmlSubDocument::CollectHiddenInputs() const {
  const CHtmlNode* form = Find({"form"});
  HtmlFieldList fields;
  for (const CHtmlNode* input :
       CHtmlSubDocument(form ? form : top_).FindAll({"input", "type", "hidden"})) {
    const std::string* name = input->FindAttribute("name");
    if (!name || name->empty()) continue;
    const std::string* value = input->FindAttribute("value");
    fields.push_back({*name, value ? *value : std::string()});
  }
  return fields;
}

CHtmlDocument::CHtmlDocument(CHtmlDocument&& other) noexcept
    : CHtmlSubDocument(std::exchange(other.top_, nullptr)),
      source_(std::move(other.source_)),
      tree_(std::move(other.tree_)) {}

CHtmlDocument& CHtmlDocument::operator=(CHtmlDocument&& other) noexcept {
  top_ = std::exchange(other.top_, nullptr);
  source_ = std::move(other.source_);
  tree_ = std::move(other.tree_);
  return *this;
}

void CHtmlDocument::Load(std::string html) {
  source_ = std::move(html);
  tree_ = ParseHtml(source_);
  top_ = tree_.get();
}

}  // namespace nuvo
