#include "core/html/HtmlNode.h"

#include <unordered_set>

#include "core/common/AsciiCase.h"

namespace nuvo {

CHtmlNode::CHtmlNode(Kind kind, std::string tagOrText) : kind_(kind) {
  if (kind == Kind::Text || kind == Kind::Comment) {
    text_ = std::move(tagOrText);
  } else {
    tag_ = std::move(tagOrText);
  }
}

CHtmlNode::~CHtmlNode() {
  // Take the subtree apart level by level so that a deep tree never nests destructor calls.
  std::vector<std::unique_ptr<CHtmlNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<CHtmlNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

const std::string* CHtmlNode::FindAttribute(std::string_view name) const {
  for (const Attribute& attribute : attributes_) {
    if (EqualsIgnoreCase(attribute.name, name)) return &attribute.value;
  }
  return nullptr;
}

bool CHtmlNode::GetAttribute(std::string_view name, std::string& out) const {
  const std::string* value = FindAttribute(name);
  if (!value) return false;
  out = *value;
  return true;
}

std::string CHtmlNode::GetInnerText() const {
  std::string text;
  std::vector<const CHtmlNode*> pending{this};
  while (!pending.empty()) {
    const CHtmlNode* node = pending.back();
    pending.pop_back();
    if (node->kind_ == Kind::Text) {
      text += node->text_;
      continue;
    }
    if (node->tag_ == "br") text += "\r\n";
    if (node != this && (node->tag_ == "script" || node->tag_ == "style")) continue;
    for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) {
      pending.push_back(it->get());
    }
  }
  return text;
}

CHtmlNode* CHtmlNode::AddChild(std::unique_ptr<CHtmlNode> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return children_.back().get();
}

void CHtmlNode::AddAttributes(std::vector<Attribute> attributes) {
  std::unordered_set<std::string> seen;
  for (const Attribute& attribute : attributes_) seen.insert(attribute.name);
  for (Attribute& attribute : attributes) {
    if (seen.insert(attribute.name).second) attributes_.push_back(std::move(attribute));
  }
}

}  // namespace nuvo
