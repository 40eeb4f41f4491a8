#include "core/html/TemplateNode.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/html/TemplateText.h"

namespace nuvo {
namespace {

struct KindText {
  ENodeKind kind;
  std::string_view name;
};

// The names a template section may carry; the table KindFromName reads.
constexpr std::array<KindText, 15> kSectionNames = {{
    {ENodeKind::Header, "Header"},
    {ENodeKind::Footer, "Footer"},
    {ENodeKind::Description, "Description"},
    {ENodeKind::Item, "Item"},
    {ENodeKind::Detail, "Detail"},
    {ENodeKind::Is, "Is"},
    {ENodeKind::Pay, "Pay"},
    {ENodeKind::Post, "Post"},
    {ENodeKind::Other, "Other"},
    {ENodeKind::Unvisible, "Unvisible"},
    {ENodeKind::Block, "Block"},
    {ENodeKind::ShipMethodGeneral, "ship_method_general"},
    {ENodeKind::ShipMethodYahooSpecific, "ship_method_yahoo_specific"},
    {ENodeKind::Caption, "Caption"},
    {ENodeKind::Align, "Align"},
}};

constexpr std::array<KindText, 11> kDocumentKindNames = {{
    {ENodeKind::Root, "Root"},
    {ENodeKind::Title, "Title"},
    {ENodeKind::Photo, "Photo"},
    {ENodeKind::Text, "Text"},
    {ENodeKind::InternetImage, "InternetImage"},
    {ENodeKind::Banner, "Banner"},
    {ENodeKind::ChargeOption, "ChargeOption"},
    {ENodeKind::SizeAndWeight, "SizeAndWeight"},
    {ENodeKind::ShipMethod, "ShipMethod"},
    {ENodeKind::Delimiter, "Delimiter"},
    {ENodeKind::ShipMethodBlock, "ship_method_block"},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// Walks the tree below `top` in document order, calling `visit` until it returns true.
template <typename Visit>
CTemplateNode* WalkDescendants(const CTemplateNode& top, Visit visit) {
  std::vector<CTemplateNode*> pending;
  for (auto it = top.Children().rbegin(); it != top.Children().rend(); ++it) {
    pending.push_back(it->get());
  }
  while (!pending.empty()) {
    CTemplateNode* node = pending.back();
    pending.pop_back();
    if (visit(*node)) return node;
    for (auto it = node->Children().rbegin(); it != node->Children().rend(); ++it) {
      pending.push_back(it->get());
    }
  }
  return nullptr;
}

}  // namespace

std::string_view KindName(ENodeKind kind) {
  for (const auto& entry : kSectionNames) {
    if (entry.kind == kind) return entry.name;
  }
  for (const auto& entry : kDocumentKindNames) {
    if (entry.kind == kind) return entry.name;
  }
  return {};
}

ENodeKind KindFromName(std::string_view name) {
  for (const auto& entry : kSectionNames) {
    if (EqualsIgnoringCase(entry.name, name)) return entry.kind;
  }
  return ENodeKind::Generic;
}

bool HoldsDecoratedText(const CTemplateNode& section) {
  if (section.Kind() != ENodeKind::Item && section.Kind() != ENodeKind::Detail) return false;
  for (const CTemplateNode* up = section.Parent(); up; up = up->Parent()) {
    if (up->Kind() == ENodeKind::Block) return up->ListMode() != kShipMethodListMode;
  }
  return true;
}

CTemplateNode::CTemplateNode(ENodeKind kind, std::string name)
    : kind_(kind), name_(std::move(name)) {}

CTemplateNode::CTemplateNode(const CTemplateNode& other)
    : kind_(other.kind_),
      name_(other.name_),
      enabled_(other.enabled_),
      listMode_(other.listMode_) {}

CTemplateNode::~CTemplateNode() {
  // Each node taken off the work list has its children moved onto it first, so every node
  // dies childless and destruction never nests.
  std::vector<std::unique_ptr<CTemplateNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<CTemplateNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

std::string_view CTemplateNode::Name() const {
  return name_.empty() && kind_ != ENodeKind::Generic ? KindName(kind_) : name_;
}

CTemplateNode* CTemplateNode::TextChild() const { return FindChild(ENodeKind::Text); }

CTemplateNode* CTemplateNode::EnsureTextChild() {
  if (CTemplateNode* child = TextChild()) return child;
  return AddChild(std::make_unique<CTemplateText>(std::string(), HoldsDecoratedText(*this)));
}

std::string CTemplateNode::GetText() const {
  const CTemplateNode* child = TextChild();
  return child ? child->GetText() : std::string();
}

void CTemplateNode::SetText(std::string_view text) {
  if (enabled_) EnsureTextChild()->SetText(text);
}

std::string CTemplateNode::GetTextPart(std::size_t start, std::size_t count) const {
  const CTemplateNode* child = TextChild();
  return child ? child->GetTextPart(start, count) : std::string();
}

void CTemplateNode::InsertText(std::size_t pos, std::string_view text) {
  if (enabled_) EnsureTextChild()->InsertText(pos, text);
}

void CTemplateNode::DeleteText(std::size_t start, std::size_t count) {
  if (CTemplateNode* child = TextChild(); enabled_ && child) child->DeleteText(start, count);
}

void CTemplateNode::SetItemText(std::string_view text) {
  if (!enabled_) return;
  CTemplateNode* item = FindChild(ENodeKind::Item);
  if (!item) item = AddChild(std::make_unique<CTemplateNode>(ENodeKind::Item));
  item->SetText(text);
}

CTemplateNode* CTemplateNode::ChildAt(std::size_t index) const {
  return index < children_.size() ? children_[index].get() : nullptr;
}

std::size_t CTemplateNode::IndexOf(const CTemplateNode* child) const {
  // Searched from the end: lists grow and shrink at their ends, so emptying a long list from the
  // back finds each entry at once.
  auto it = std::find_if(children_.rbegin(), children_.rend(),
                         [child](const auto& own) { return own.get() == child; });
  return it == children_.rend() ? children_.size()
                                : static_cast<std::size_t>(children_.rend() - it) - 1;
}

CTemplateNode* CTemplateNode::FindChild(ENodeKind kind) const { return GetChild(kind, 0); }

std::size_t CTemplateNode::CountChildren(ENodeKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(children_.begin(), children_.end(),
                    [kind](const auto& child) { return child->kind_ == kind; }));
}

CTemplateNode* CTemplateNode::GetChild(ENodeKind kind, std::size_t index) const {
  for (const auto& child : children_) {
    if (child->kind_ == kind && index-- == 0) return child.get();
  }
  return nullptr;
}

std::size_t CTemplateNode::CountDescendants(ENodeKind kind) const {
  std::size_t count = 0;
  WalkDescendants(*this, [&](const CTemplateNode& node) {
    if (node.kind_ == kind) ++count;
    return false;
  });
  return count;
}

CTemplateNode* CTemplateNode::GetDescendant(ENodeKind kind, std::size_t index) const {
  return WalkDescendants(
      *this, [&](const CTemplateNode& node) { return node.kind_ == kind && index-- == 0; });
}

std::vector<CTemplateNode*> CTemplateNode::FindDescendants(ENodeKind kind) const {
  std::vector<CTemplateNode*> found;
  WalkDescendants(*this, [&](const CTemplateNode& node) {
    if (node.kind_ == kind) found.push_back(const_cast<CTemplateNode*>(&node));
    return false;
  });
  return found;
}

CTemplateNode* CTemplateNode::AddChild(std::unique_ptr<CTemplateNode> child) {
  return InsertChild(children_.size(), std::move(child));
}

CTemplateNode* CTemplateNode::InsertChild(std::size_t index, std::unique_ptr<CTemplateNode> child) {
  if (!child) return nullptr;
  child->parent_ = this;
  index = std::min(index, children_.size());
  return children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), std::move(child))
      ->get();
}

void CTemplateNode::InsertChildren(std::size_t index,
                                   std::vector<std::unique_ptr<CTemplateNode>> children) {
  std::erase(children, nullptr);
  for (auto& child : children) child->parent_ = this;
  index = std::min(index, children_.size());
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index),
                   std::make_move_iterator(children.begin()),
                   std::make_move_iterator(children.end()));
}

std::unique_ptr<CTemplateNode> CTemplateNode::ReplaceChild(
    CTemplateNode* oldChild, std::unique_ptr<CTemplateNode>&& newChild) {
  std::size_t index = IndexOf(oldChild);
  if (index == children_.size() || !newChild) return nullptr;
  newChild->parent_ = this;
  std::swap(children_[index], newChild);
  newChild->parent_ = nullptr;
  return std::move(newChild);
}

std::unique_ptr<CTemplateNode> CTemplateNode::DetachChild(CTemplateNode* child) {
  std::size_t index = IndexOf(child);
  if (index == children_.size()) return nullptr;
  std::unique_ptr<CTemplateNode> detached = std::move(children_[index]);
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
  detached->parent_ = nullptr;
  return detached;
}

void CTemplateNode::Clear() {
  // Moved into a temporary node so that the children go through the non-recursive destructor.
  CTemplateNode doomed(kind_);
  doomed.children_ = std::move(children_);
  children_.clear();
}

std::unique_ptr<CTemplateNode> CTemplateNode::Clone() const {
  std::unique_ptr<CTemplateNode> top = CloneSelf();
  std::vector<std::pair<const CTemplateNode*, CTemplateNode*>> pending = {{this, top.get()}};
  while (!pending.empty()) {
    auto [source, copy] = pending.back();
    pending.pop_back();
    for (const auto& child : source->children_) {
      pending.emplace_back(child.get(), copy->AddChild(child->CloneSelf()));
    }
  }
  return top;
}

std::unique_ptr<CTemplateNode> CTemplateNode::CloneSelf() const {
  return std::unique_ptr<CTemplateNode>(new CTemplateNode(*this));
}

std::unique_ptr<CTemplateNode> CTemplateNode::CreateEmpty() const {
  auto node = std::make_unique<CTemplateNode>(kind_, name_);
  node->listMode_ = listMode_;
  return node;
}

}  // namespace nuvo
